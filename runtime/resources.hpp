#pragma once
// The named resources embedded in a program image: the compiled forms and the bitmaps. The
// build turns each program's form sources and BMP files into tables that register
// themselves before main() runs. Forms and bitmaps are looked up apart, so a form and a
// bitmap may share a name.

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

enum class ResourceType { Form, Bitmap };

void registerResources(std::span<const EmbeddedResource> table, ResourceType type = ResourceType::Form);
// The bytes of the resource of that type and name (compared without regard to ASCII case).
std::optional<std::span<const std::uint8_t>> findResource(std::string_view name,
                                                          ResourceType type = ResourceType::Form);

}  // namespace runtime
