#include "runtime/resources.hpp"

#include <vector>

#include "runtime/strings.hpp"

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
    const std::string key = upperAscii(name);
    for (const auto& r : registry())
        if (upperAscii(r.name) == key) return std::span<const std::uint8_t>(r.data, r.size);
    return std::nullopt;
}

}  // namespace runtime
