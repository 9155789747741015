#include "runtime/resources.hpp"

#include <vector>

#include "platform/cp932_bytes.hpp"

namespace runtime {

namespace {

std::vector<EmbeddedResource>& registry(ResourceType type) {
    static std::vector<EmbeddedResource> forms, bitmaps;
    return type == ResourceType::Bitmap ? bitmaps : forms;
}

}  // namespace

void registerResources(std::span<const EmbeddedResource> table, ResourceType type) {
    registry(type).insert(registry(type).end(), table.begin(), table.end());
}

std::optional<std::span<const std::uint8_t>> findResource(std::string_view name, ResourceType type) {
    for (const auto& r : registry(type))
        if (platform::sameIgnoringCase(r.name, name)) return std::span<const std::uint8_t>(r.data, r.size);
    return std::nullopt;
}

}  // namespace runtime
