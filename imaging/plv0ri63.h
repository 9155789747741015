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

/* The network and mail members. Strings are the runtime's descriptors (the byte length in
 * the second word, the CP932 text's address in the third), forms the addresses of the
 * program's object variables, session numbers 1 to 16. Failures are run-time errors
 * (runtime::RuntimeError): 1005 a session number outside 1..16 or a flag out of range,
 * 5 a session opened twice or used while closed, 2001 to 2008 the network's failures
 * (imaging/net/error_table.hpp), and the local files' own errors (58, 63, 75...). String
 * results stay valid until the runtime's next string result. */
#ifndef QUILL_IMAGING_PLV0RI63_NET_H
#define QUILL_IMAGING_PLV0RI63_NET_H

#include <stdint.h>

#ifdef __cplusplus
#include "runtime/objects.hpp"
#include "runtime/pv_string.hpp"
typedef runtime::PvString PvRuntimeString;
typedef runtime::ObjectVar PvObjectVar;
extern "C" {
#else
typedef struct PvRuntimeString {
    uint32_t flags;
    uint32_t length;
    const char* text;
} PvRuntimeString;
typedef uint32_t PvObjectVar;
#endif

/* Connection control. An empty name succeeds when the machine has a route up (2001
 * otherwise); there is no dial-up here, so a named entry is error 2001. The status is 2
 * (LAN) with an interface that has a route up, else 0; 1 (modem) never occurs. */
void PV$INTERNETSTART(const PvRuntimeString* connection);
void PV$INTERNETEND(void);
int32_t PV$INTERNETSTATUS(void);

/* FTP. The server is "host", "host:port" or "ftp://host:port"; FTPOPEN logs on at once.
 * Remote names are absolute or relative to the session's current folder. Transfers are
 * binary; a download goes through a temporary file and replaces the local file only when
 * complete. failIfExists is 0 or 1 (1005 otherwise): 1 refuses an existing local file
 * with error 58. FTPCRDIR returns the current remote folder. */
void PV$FTPOPEN(int16_t session, const PvRuntimeString* server, const PvRuntimeString* user,
                const PvRuntimeString* password);
void PV$FTPGET(int16_t session, const PvRuntimeString* remote, const PvRuntimeString* local, int16_t failIfExists);
void PV$FTPPUT(int16_t session, const PvRuntimeString* local, const PvRuntimeString* remote);
void PV$FTPCHDIR(int16_t session, const PvRuntimeString* folder);
void PV$FTPMKDIR(int16_t session, const PvRuntimeString* folder);
void PV$FTPRMDIR(int16_t session, const PvRuntimeString* folder);
void PV$FTPDELETE(int16_t session, const PvRuntimeString* remote);
const PvRuntimeString* PV$FTPCRDIR(int16_t session);
void PV$FTPCLOSE(int16_t session);

/* HTTP. The server is "host", "host:port", "http://..." or "https://..." (certificates
 * are checked; CURL_CA_BUNDLE names another bundle); HTTPOPEN resolves and connects at
 * once. HTTPGET sends "GET" in "HTTP/1.0" with the library's Accept and User-Agent
 * headers in place of the usual ones, follows redirects on the same server only, and
 * writes the body through a temporary file. An empty local name is the object's file
 * name in the current folder; noOverwrite 0 replaces a file, any other value refuses an
 * existing one with error 58. */
void PV$HTTPOPEN(int16_t session, const PvRuntimeString* server);
void PV$HTTPGET(int16_t session, const PvRuntimeString* object, const PvRuntimeString* local, int16_t noOverwrite);
void PV$HTTPCLOSE(int16_t session);

/* Mail: SMTP for sending, IMAP for reading, with the accounts of
 * $XDG_CONFIG_HOME/quillon/mail.conf (see the README). One session at a time: a second
 * logon is 2006, the other members without a logon 2007, a refused logon 2005.
 * Recipients and attachments are lists separated by ";". Messages are named by their
 * IMAP identifiers in the inbox; FINDNEXT after the last is 2008. READ keeps the message
 * for the query members and saves its attachments in a temporary folder that lives
 * until the next READ or the logoff. MAILITEM: 0 subject, 1 text, 2 date
 * ("YYYY/MM/DD hh:mm"). MAILFILE: what 0 the saved copy's path, 1 the attachment's own
 * file name. Indexes count from 0 (9 when out of range); another item or what is 1005;
 * the query members before any READ raise 5. */
void PX$MAILLOGON(PvObjectVar* form, const PvRuntimeString* profile, const PvRuntimeString* password,
                  int16_t newSession);
void PX$MAILLOGOFF(PvObjectVar* form);
void PX$MAILSEND(PvObjectVar* form, const PvRuntimeString* recipients, const PvRuntimeString* subject,
                 const PvRuntimeString* text, const PvRuntimeString* attachments);
const PvRuntimeString* PX$MAILADDRESS(PvObjectVar* form, const PvRuntimeString* name);
const PvRuntimeString* PV$MAILFINDNEXT(const PvRuntimeString* previous);
void PV$MAILREAD(const PvRuntimeString* message);
const PvRuntimeString* PV$MAILSENDER(void);
int32_t PV$MAILRECIPCOUNT(void);
const PvRuntimeString* PV$MAILRECIP(int32_t index);
int32_t PV$MAILFILECOUNT(void);
const PvRuntimeString* PV$MAILFILE(int32_t index, int32_t what);
const PvRuntimeString* PV$MAILITEM(int32_t item);

#ifdef __cplusplus
}
#endif

#endif
