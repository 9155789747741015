#include "common/field_text.hpp"

namespace common {

std::string fieldText(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const bool needsQuotes = text.find(',') != std::string_view::npos ||
                             (!text.empty() && (isBlank(text.front()) || isBlank(text.back())));
    if (!needsQuotes) return std::string(text);
    return "\"" + std::string(text) + "\"";
}

}  // namespace common
