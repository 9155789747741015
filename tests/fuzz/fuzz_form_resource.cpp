// Feeds arbitrary bytes to the form-resource reader. Whatever it accepts must write back
// to a resource that reads as the same form.
#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/error.hpp"
#include "runtime/form_resource.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    runtime::FormResource resource;
    try {
        resource = runtime::parseFormResource(std::span<const std::uint8_t>(data, size));
    } catch (const runtime::RuntimeError&) {
        return 0;
    }
    const auto bytes = runtime::writeFormResource(resource);
    if (!(runtime::parseFormResource(bytes) == resource)) __builtin_trap();
    for (const auto& control : resource.controls)
        if (control.items) runtime::splitItems(*control.items);
    return 0;
}
