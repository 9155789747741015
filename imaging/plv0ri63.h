#ifndef QUILL_IMAGING_PLV0RI63_H
#define QUILL_IMAGING_PLV0RI63_H
/* The conversion exports of libPLV0RI63.so. Paths are NUL-terminated Shift-JIS (CP932)
 * strings. JPEG2BMP, BMP2JPEG and BITMAP2FULLCOLOR report failures as run-time errors
 * (C++ exceptions, runtime::RuntimeError) and otherwise return 0; the dll* functions
 * return their results. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int JPEG2BMP(const char* source, const char* destination);
int BMP2JPEG(const char* source, const char* destination, int quality, int flags);
int BITMAP2FULLCOLOR(const char* source, const char* destination);

/* mode 0: the BMP size the JPEG decodes to (the output is ignored); mode 1: decode into
 * `out`, which holds that many bytes. Negative results: -1 no scan before EOI, -2 not a
 * JPEG or an unsupported marker or parameter, -3 the data ended early (the BMP is
 * complete, undecoded rows zero), -4 unsupported components or sampling, -5 too wide,
 * -6 inconsistent geometry (also: mode 1 without a successful mode 0). */
int dllJPEGDECODE(int mode, const unsigned char* jpeg, int count, unsigned char* out);

/* mode 0: an upper bound of the JPEG size; mode 1: encode into `out` (that many bytes)
 * and return the byte count. Negative results: -1 mode 1 without a successful mode 0,
 * -2 not a BMP, -3/-4 unsupported BMP layouts, -5 too wide, -100 the output did not
 * fit. Flags 0..3 choose the chroma sampling (2x2, 2x1, 1x1, 2x2), 4..7 progressive. */
int dllJPEGENCODE(int mode, const unsigned char* bmp, int count, unsigned char* out, int quality, int flags);

/* Six values about the last image decoded / encoded: width, height, components,
 * sampling of the first component (0x22, 0x21, 0x11), progressive (0/1), last result. */
const int32_t* dllJPEGINFO(void);
/* width, height, components, quality used, flags, last result. */
const int32_t* dllBMPINFO(void);

#ifdef __cplusplus
}
#endif

#endif
