#include "common/field_text.hpp"

#include <algorithm>

#include "runtime/error.hpp"

namespace common {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool hasEdgeBlank(std::string_view text) { return !text.empty() && (isBlank(text.front()) || isBlank(text.back())); }

// Line ends end every field, and the reader stops the whole file at 0x1A. (One pass over
// the text: every field of every record written goes through here.)
bool holdsLineBreak(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\x1A'; });
}

bool holdsQuote(std::string_view text) { return text.find('"') != std::string_view::npos; }

bool needsQuotes(std::string_view text) {
    return text.find(',') != std::string_view::npos || hasEdgeBlank(text) || (!text.empty() && text.front() == '"');
}

std::string inQuotes(std::string_view text) { return "\"" + std::string(text) + "\""; }

void requireFit(std::string_view text) {
    if (!fieldCanHold(text)) runtime::raiseError(runtime::err::IllegalArgument);
}

}  // namespace

bool fieldCanHold(std::string_view text) {
    if (holdsLineBreak(text)) return false;
    return !holdsQuote(text) || !needsQuotes(text);
}

std::string fieldText(std::string_view text) {
    requireFit(text);
    return needsQuotes(text) ? inQuotes(text) : std::string(text);
}

std::string quotedField(std::string_view text) {
    requireFit(text);
    return holdsQuote(text) ? std::string(text) : inQuotes(text);
}

}  // namespace common
