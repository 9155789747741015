// libFuzzer target: any bytes through the decoder's two modes. The decoder must stay
// inside the input and inside the buffer that mode 0 asked for.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/kernels.hpp"
#include "imaging/plv0ri63.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20)) return 0;
    const int count = static_cast<int>(size);
    const int needed = dllJPEGDECODE(0, data, count, nullptr);
    // Headers may claim up to 15000 x 65535 pixels; keep runs fast and within memory.
    if (needed < 0 || needed > (8 << 20)) return 0;
    std::vector<unsigned char> out(static_cast<std::size_t>(needed));
    // Alternate the kernel sets so that all of them see the inputs.
    const imaging::KernelSet sets[] = {imaging::KernelSet::Plain, imaging::KernelSet::Sse2, imaging::KernelSet::Avx2};
    imaging::forceKernelSet(sets[size % 3]);
    dllJPEGDECODE(1, data, count, out.data());
    return 0;
}
