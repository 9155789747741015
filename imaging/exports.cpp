// The library's C exports. The codec keeps the result of each mode-0 call for the mode-1
// call that follows on the same data: one conversion at a time per process.
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "imaging/bmp.hpp"
#include "imaging/file_bytes.hpp"
#include "imaging/info_records.hpp"
#include "imaging/jpeg_decoder.hpp"
#include "imaging/jpeg_encoder.hpp"
#include "imaging/kernels.hpp"
#include "imaging/little_endian.hpp"
#include "runtime/file_system.hpp"
#include "imaging/plv0ri63.h"
#include "imaging/quant_tables.hpp"
#include "runtime/error.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

namespace imaging {
namespace {

struct DecodeState {
    bool ready = false;
    bool hasScan = false;
    int size = 0;
};

struct EncodeState {
    bool ready = false;
    std::int64_t bound = 0;
};

DecodeState decodeState;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
EncodeState encodeState;

std::string_view asBytes(const std::vector<std::uint8_t>& v, std::size_t count) {
    return {reinterpret_cast<const char*>(v.data()), count};
}

void recordDecode(const JpegHeaderInfo& info, int result) {
    InfoRecord& r = jpegInfo();
    r.values[0] = info.frame.width;
    r.values[1] = info.frame.height;
    r.values[2] = info.frame.componentCount;
    r.values[3] = (info.frame.maxH << 4) | info.frame.maxV;
    r.values[4] = info.frame.progressive ? 1 : 0;
    r.values[5] = result;
}

int decodeMode0(const unsigned char* jpeg, std::size_t count) {
    JpegHeaderInfo info;
    const int result = readJpegHeaders(jpeg, count, info);
    decodeState.ready = result >= 0;
    decodeState.hasScan = info.hasScan;
    decodeState.size = result;
    recordDecode(info, result);
    return result;
}

int decodeMode1(const unsigned char* jpeg, std::size_t count, unsigned char* out) {
    if (!decodeState.ready) return decode_result::BadGeometry;
    if (!decodeState.hasScan) return decode_result::NoScan;
    JpegHeaderInfo info;
    const Kernels& kernels = kernelsFor(chooseKernelSet());
    const int result = decodeJpeg(jpeg, count, out, static_cast<std::size_t>(decodeState.size), kernels, info);
    recordDecode(info, result);
    return result;
}

int encodeMode(int mode, const unsigned char* bmp, std::size_t count, unsigned char* out, int quality, int flags) {
    if (mode == 0) encodeState.ready = false;
    BmpSource source;
    const int parsed = parseBmp(bmp, count, source);
    InfoRecord& record = bmpInfo();
    if (parsed != 0) {
        record.values[5] = parsed;
        return parsed;
    }
    const EncodeLayout layout = encodeLayout(source, flags);
    record.values[0] = source.width;
    record.values[1] = source.height;
    record.values[2] = layout.grey ? 1 : 3;
    record.values[3] = effectiveQuality(quality);
    record.values[4] = flags;
    const std::int64_t bound = encodeBound(source, layout);
    int result = 0;
    if (mode == 0) {
        encodeState.ready = bound >= 0;
        encodeState.bound = bound;
        result = static_cast<int>(bound);
    } else if (!encodeState.ready || bound != encodeState.bound) {
        result = encode_result::NoSizeQuery;
    } else {
        result = encodeJpeg(source, layout, quality, out, static_cast<std::size_t>(bound),
                            kernelsFor(chooseKernelSet()));
    }
    record.values[5] = result;
    return result;
}

// A temporary file for the 24-bit copy BMP2JPEG makes, in $TMPDIR (or /tmp when that
// folder's name has no CP932 form): its native name, and the CP932 name the conversion
// functions take.
struct TemporaryBmp {
    std::string native;
    std::string cp932;
};

TemporaryBmp temporaryBmp() {
    const char* dir = std::getenv("TMPDIR");
    std::string folder = dir != nullptr && *dir != '\0' ? dir : "/tmp";
    if (!runtime::fromUtf8Exact(folder)) folder = "/tmp";
    std::string pattern = folder + "/quill-bmp-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0) runtime::raiseError(runtime::errorFromErrno(errno));
    ::close(fd);
    TemporaryBmp t;
    t.native = buffer.data();
    // The random part is ASCII, so a folder CP932 holds gives a name it holds.
    t.cp932 = runtime::fromUtf8Exact(t.native).value_or(std::string());
    return t;
}

// The BMP file at `nativeSource` rewritten as a 24-bit BMP at `nativeDestination`. A
// 24-bit bottom-up image whose rows have no padding is already in that form apart from
// its header: its pixel rows go from the source file to the new one in pieces, without
// the whole image in memory. The reader checks a 24-bit image by fields in its first 54
// bytes and the file's size alone, so the first 64 KB (header and any palette) tell
// whether that applies; any other image is read whole and converted.
void writeFullColour(const std::string& nativeSource, const std::string& nativeDestination) {
    FileBytes file = FileBytes::open(nativeSource);
    file.readUpTo(std::size_t{64} << 10);
    BmpSource bmp;
    const std::size_t rowBytes = [&] {
        if (parseBmp(file.data(), file.size(), bmp) != 0 || bmp.bitsPerPixel != 24 || bmp.topDown) return std::size_t{0};
        return static_cast<std::size_t>(bmp.width) * 3;
    }();
    if (rowBytes != 0 && bmp.stride == rowBytes && bmpLayout(bmp.width, bmp.height, 3).stride == rowBytes) {
        std::uint8_t header[kBmpHeaderSize];
        writeBmpHeader(bmpLayout(bmp.width, bmp.height, 3), header);
        runtime::SafeFileWriter writer(nativeDestination);
        writer.write(std::string_view(reinterpret_cast<const char*>(header), sizeof header));
        const std::size_t pixelOffset = static_cast<std::size_t>(bmp.pixels - file.data());
        file.stream(pixelOffset, rowBytes * static_cast<std::size_t>(bmp.height),
                    [&](std::string_view piece) { writer.write(piece); });
        writer.commit();
        return;
    }
    file.readAll();
    if (parseBmp(file.data(), file.size(), bmp) != 0) runtime::raiseError(runtime::err::ImageNotConvertible);
    const std::vector<std::uint8_t> full = bmpToFullColour(bmp);
    runtime::writeFileSafely(nativeDestination, asBytes(full, full.size()));
}

}  // namespace
}  // namespace imaging

using namespace imaging;

extern "C" int dllJPEGDECODE(int mode, const unsigned char* jpeg, int count, unsigned char* out) {
    if (jpeg == nullptr || count < 0) return decode_result::Unsupported;
    try {
        if (mode == 0) return decodeMode0(jpeg, static_cast<std::size_t>(count));
        if (out == nullptr) return decode_result::BadGeometry;
        return decodeMode1(jpeg, static_cast<std::size_t>(count), out);
    } catch (const std::bad_alloc&) {
        return decode_result::BadGeometry;
    }
}

extern "C" int dllJPEGENCODE(int mode, const unsigned char* bmp, int count, unsigned char* out, int quality,
                             int flags) {
    if (bmp == nullptr || count < 0) return encode_result::NotBmp;
    if (mode != 0 && out == nullptr) return encode_result::NoSizeQuery;
    try {
        return encodeMode(mode, bmp, static_cast<std::size_t>(count), out, quality, flags);
    } catch (const std::bad_alloc&) {
        return encode_result::WriteFailed;
    }
}

extern "C" const int32_t* dllJPEGINFO() { return jpegInfo().values; }

extern "C" const int32_t* dllBMPINFO() { return bmpInfo().values; }

extern "C" int JPEG2BMP(const char* source, const char* destination) {
    chooseKernelSet();
    // The decoder checks every read against the byte count, so the file needs no
    // padding after its end, and no second copy.
    const std::string file = runtime::readWholeFile(runtime::nativePath(source));
    const auto* jpeg = reinterpret_cast<const unsigned char*>(file.data());
    const int count = static_cast<int>(std::min<std::size_t>(file.size(), 0x7FFFFFFF));
    const int size = dllJPEGDECODE(0, jpeg, count, nullptr);
    if (size < 0) runtime::raiseError(runtime::err::ImageNotConvertible);
    // calloc gives zeroed pages without touching them: only the rows the decoder writes
    // take memory, while a progressive image releases its coefficients row by row.
    const std::size_t bmpCapacity = static_cast<std::size_t>(size) + 100;
    const std::unique_ptr<std::uint8_t, FreeDeleter> buffer(static_cast<std::uint8_t*>(std::calloc(bmpCapacity, 1)));
    if (!buffer) runtime::raiseError(runtime::err::OutOfMemory);
    std::uint8_t* const bmp = buffer.get();
    int result = 0;
    for (int attempt = 0; attempt < 16 && result == 0; ++attempt) {
        result = dllJPEGDECODE(1, jpeg, count, bmp);
    }
    if (result == decode_result::Truncated) {
        // A cut-off file still gives a whole picture; its image-size field counts the
        // padded rows.
        const std::uint32_t width = readLe32(bmp + 18);
        const std::uint32_t height = readLe32(bmp + 22);
        const std::uint32_t bits = bmp[28] | (bmp[29] << 8);
        const std::uint32_t stride = (width * bits + 31) / 32 * 4;
        const std::uint32_t imageSize = readLe32(bmp + 34);
        if (imageSize != 0 && imageSize < stride * height) writeLe32(bmp + 34, stride * height);
    } else if (result < 0) {
        runtime::raiseError(runtime::err::ImageNotConvertible);
    }
    const std::size_t fileSize = std::min<std::size_t>(readLe32(bmp + 2), bmpCapacity);
    runtime::writeFileSafely(runtime::nativePath(destination), std::string_view(reinterpret_cast<const char*>(bmp), fileSize));
    return 0;
}

extern "C" int BITMAP2FULLCOLOR(const char* source, const char* destination) {
    writeFullColour(runtime::nativePath(source), runtime::nativePath(destination));
    return 0;
}

extern "C" int BMP2JPEG(const char* source, const char* destination, int quality, int flags) {
    chooseKernelSet();
    const std::string nativeSource = runtime::nativePath(source);
    {
        const std::string head = readFileStart(nativeSource, 2);
        if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') runtime::raiseError(runtime::err::ImageNotConvertible);
    }
    const TemporaryBmp temporary = temporaryBmp();
    // The temporary copy is this conversion's own file: it is mapped rather than read,
    // and stays readable through the mapping once its name is gone.
    std::optional<FileBytes> full;
    try {
        BITMAP2FULLCOLOR(source, temporary.cp932.c_str());
        full.emplace(FileBytes::map(temporary.native));
    } catch (...) {
        ::unlink(temporary.native.c_str());
        throw;
    }
    ::unlink(temporary.native.c_str());
    const auto* bytes = full->data();
    const int count = static_cast<int>(std::min<std::size_t>(full->size(), 0x7FFFFFFF));
    const int bound = dllJPEGENCODE(0, bytes, count, nullptr, quality, flags);
    if (bound < 0) runtime::raiseError(runtime::err::ImageNotConvertible);
    // Only the bytes the encoder writes are ever touched: no need to clear the buffer.
    const std::unique_ptr<unsigned char[]> jpeg(new unsigned char[static_cast<std::size_t>(bound)]);
    const int written = dllJPEGENCODE(1, bytes, count, jpeg.get(), quality, flags);
    if (written < 0) runtime::raiseError(runtime::err::ImageNotConvertible);
    runtime::writeFileSafely(runtime::nativePath(destination),
                             std::string_view(reinterpret_cast<const char*>(jpeg.get()), static_cast<std::size_t>(written)));
    return 0;
}
