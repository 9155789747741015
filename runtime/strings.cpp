#include "runtime/strings.hpp"

#include <algorithm>

#include "platform/cp932_bytes.hpp"
#include "runtime/error.hpp"

namespace runtime {

std::string left(std::string_view s, long n) {
    if (n <= 0) return {};
    return std::string(s.substr(0, static_cast<std::size_t>(n)));
}

std::string right(std::string_view s, long n) {
    if (n <= 0) return {};
    const auto k = std::min(s.size(), static_cast<std::size_t>(n));
    return std::string(s.substr(s.size() - k));
}

std::string mid(std::string_view s, long start, long length) {
    if (start < 1) raiseError(err::IllegalArgument);
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= s.size() || length == 0) return {};
    if (length < 0) return std::string(s.substr(from));
    return std::string(s.substr(from, static_cast<std::size_t>(length)));
}

void midReplace(std::string& target, long start, long length, std::string_view replacement) {
    if (start < 1 || static_cast<std::size_t>(start) > target.size())
        raiseError(err::IllegalArgument);
    const auto from = static_cast<std::size_t>(start - 1);
    std::size_t n = std::min(replacement.size(), target.size() - from);
    if (length >= 0) n = std::min(n, static_cast<std::size_t>(length));
    target.replace(from, n, replacement.substr(0, n));
}

long instr(long start, std::string_view s, std::string_view find) {
    if (start < 1) raiseError(err::IllegalArgument);
    const auto from = static_cast<std::size_t>(start - 1);
    if (from > s.size()) return 0;
    if (find.empty()) return start;
    for (std::size_t i = 0; i + find.size() <= s.size(); i += platform::charLength(s, i)) {
        if (i >= from && s.compare(i, find.size(), find) == 0) return static_cast<long>(i) + 1;
    }
    return 0;
}

std::string chr(long code) {
    if (code >= 0 && code <= 0xFF) return std::string(1, static_cast<char>(code));
    if (code > 0xFF && code <= 0xFFFF && platform::isLeadByte(static_cast<unsigned char>(code >> 8)))
        return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    raiseError(err::IllegalArgument);
}

long asc(std::string_view s) {
    if (s.empty()) raiseError(err::IllegalArgument);
    const auto b0 = static_cast<unsigned char>(s[0]);
    if (platform::charLength(s, 0) == 2) return b0 * 256L + static_cast<unsigned char>(s[1]);
    return b0;
}

std::string repeatChar(long n, std::string_view c) {
    if (n < 0 || c.empty()) raiseError(err::IllegalArgument);
    const std::string_view one = c.substr(0, platform::charLength(c, 0));
    std::string out;
    out.reserve(one.size() * static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) out.append(one);
    return out;
}

std::string spaces(long n) {
    if (n < 0) raiseError(err::IllegalArgument);
    return std::string(static_cast<std::size_t>(n), ' ');
}

int compare(std::string_view a, std::string_view b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string trimBlanks(std::string_view s) {
    const auto isBlank = [](char ch) { return ch == ' ' || ch == '\t'; };
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    // A trailing blank is never the second byte of a two-byte character (0x20 and 0x09
    // are not trail bytes), so trimming bytes from the right is safe.
    while (e > b && isBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

}  // namespace runtime
