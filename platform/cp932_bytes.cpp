#include "platform/cp932_bytes.hpp"

#include <algorithm>

namespace platform {

namespace {

unsigned char upperOf(unsigned char b) { return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 'a' + 'A') : b; }

// The characters at `ap` (`al` bytes) and `bp` (`bl` bytes) are the same letter or the
// same character.
bool sameChar(std::string_view a, std::size_t ap, std::size_t al, std::string_view b, std::size_t bp,
              std::size_t bl) {
    if (al != bl) return false;
    if (al == 1) return upperOf(static_cast<unsigned char>(a[ap])) == upperOf(static_cast<unsigned char>(b[bp]));
    return a.substr(ap, al) == b.substr(bp, bl);
}

}  // namespace

std::size_t charLength(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return 0;
    return isLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

bool isCharBoundary(std::string_view s, std::size_t pos) {
    std::size_t i = 0;
    while (i < pos && i < s.size()) i += charLength(s, i);
    return i == pos;
}

std::size_t fitBytes(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    while (i < s.size() && i + charLength(s, i) <= n) i += charLength(s, i);
    return i;
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); i += charLength(out, i))
        out[i] = static_cast<char>(upperOf(static_cast<unsigned char>(out[i])));
    return out;
}

int compareIgnoringCase(std::string_view a, std::string_view b) {
    // Folding keeps every byte where it is, so the two texts are walked in step; each
    // remembers whether its next byte is a trail byte, which never folds.
    bool aTrail = false, bTrail = false;
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        const unsigned char fx = aTrail ? x : upperOf(x);
        const unsigned char fy = bTrail ? y : upperOf(y);
        if (fx != fy) return fx < fy ? -1 : 1;
        aTrail = !aTrail && isLeadByte(x) && i + 1 < a.size();
        bTrail = !bTrail && isLeadByte(y) && i + 1 < b.size();
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*") return true;
    constexpr auto none = std::string_view::npos;
    std::size_t n = 0, p = 0;
    // Where the last "*" was seen, and the name position it currently stands for.
    std::size_t starP = none, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size()) {
            if (pattern[p] == '*') {
                starP = ++p;
                starN = n;
                continue;
            }
            const std::size_t nl = charLength(name, n);
            if (pattern[p] == '?') {
                ++p;
                n += nl;
                continue;
            }
            const std::size_t pl = charLength(pattern, p);
            if (sameChar(name, n, nl, pattern, p, pl)) {
                p += pl;
                n += nl;
                continue;
            }
        }
        if (starP == none) return false;
        // Let the last "*" take one more character and try again from there.
        starN += charLength(name, starN);
        n = starN;
        p = starP;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace platform
