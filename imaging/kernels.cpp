#include "imaging/kernels.hpp"

#include <cstdlib>
#include <cstring>

namespace imaging {

namespace {

std::optional<KernelSet> forcedSet;

std::optional<KernelSet> setFromEnvironment() {
    const char* name = std::getenv("QUILL_JPEG_KERNELS");
    if (name == nullptr) return std::nullopt;
    if (std::strcmp(name, "plain") == 0) return KernelSet::Plain;
    if (std::strcmp(name, "sse2") == 0) return KernelSet::Sse2;
    if (std::strcmp(name, "avx2") == 0) return KernelSet::Avx2;
    return std::nullopt;
}

}  // namespace

bool kernelSetSupported(KernelSet set) {
    __builtin_cpu_init();
    switch (set) {
    case KernelSet::Plain: return true;
    case KernelSet::Sse2: return __builtin_cpu_supports("sse2");
    case KernelSet::Avx2: return __builtin_cpu_supports("avx2");
    }
    return false;
}

const Kernels& kernelsFor(KernelSet set) {
    switch (set) {
    case KernelSet::Sse2: return detail::sse2Kernels;
    case KernelSet::Avx2: return detail::avx2Kernels;
    case KernelSet::Plain: break;
    }
    return detail::plainKernels;
}

KernelSet chooseKernelSet() {
    if (forcedSet && kernelSetSupported(*forcedSet)) return *forcedSet;
    if (const auto fromEnv = setFromEnvironment(); fromEnv && kernelSetSupported(*fromEnv)) {
        return *fromEnv;
    }
    if (kernelSetSupported(KernelSet::Avx2)) return KernelSet::Avx2;
    if (kernelSetSupported(KernelSet::Sse2)) return KernelSet::Sse2;
    return KernelSet::Plain;
}

void forceKernelSet(std::optional<KernelSet> set) { forcedSet = set; }

}  // namespace imaging
