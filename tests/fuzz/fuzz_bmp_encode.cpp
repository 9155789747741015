// libFuzzer target: any bytes as a BMP file through the encoder's two modes (the BMP
// reader checks every size and offset before the encoder reads pixels).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "imaging/plv0ri63.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20) || size < 2) return 0;
    const int count = static_cast<int>(size);
    const int flags = data[size - 1] & 7;
    const int bound = dllJPEGENCODE(0, data, count, nullptr, 75, flags);
    if (bound < 0 || bound > (16 << 20)) return 0;
    const std::unique_ptr<unsigned char[]> out(new unsigned char[static_cast<std::size_t>(bound)]);
    dllJPEGENCODE(1, data, count, out.get(), 75, flags);
    return 0;
}
