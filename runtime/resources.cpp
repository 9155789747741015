#include "runtime/resources.hpp"

#include <vector>

#include "platform/cp932_bytes.hpp"

namespace runtime {

namespace {

std::vector<EmbeddedResource>& registry() {
    static std::vector<EmbeddedResource> table;
    return table;
}

}  // namespace

void registerResources(std::span<const EmbeddedResource> table) {
    registry().insert(registry().end(), table.begin(), table.end());
}

std::optional<std::span<const std::uint8_t>> findResource(std::string_view name) {
    for (const auto& r : registry())
        if (platform::sameIgnoringCase(r.name, name)) return std::span<const std::uint8_t>(r.data, r.size);
    return std::nullopt;
}

}  // namespace runtime
