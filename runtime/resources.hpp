#pragma once
// The named resources embedded in a program image (the compiled forms). The build turns
// each program's form sources into a table that registers itself before main() runs.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace runtime {

struct EmbeddedResource {
    const char* name;  // upper case, as looked up
    const std::uint8_t* data;
    std::size_t size;
};

void registerResources(std::span<const EmbeddedResource> table);
// The bytes of the resource of that name (compared without regard to ASCII case).
std::optional<std::span<const std::uint8_t>> findResource(std::string_view name);

}  // namespace runtime
