#include "runtime/sjis.hpp"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <mutex>
#include <unordered_map>

namespace runtime {

namespace {

// Bytes to skip over a character the converter cannot take, so that one bad character
// gives one replacement: a whole UTF-8 sequence, or a CP932 lead byte with its trail byte
// (which is then never read as an ASCII character of its own), else one byte.
std::size_t badSequenceLength(bool utf8Input, const char* p, std::size_t left) {
    const auto b = static_cast<unsigned char>(*p);
    if (!utf8Input) {
        if (!isLeadByte(b) || left < 2) return 1;
        const auto trail = static_cast<unsigned char>(p[1]);
        return trail >= 0x40 && trail <= 0xFC && trail != 0x7F ? 2 : 1;
    }
    std::size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    n = std::min(n, left);
    for (std::size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return i;
    return n;
}

// One iconv conversion. Input the converter cannot take is replaced by `replacement`,
// so conversion never fails.
std::string convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement) {
    const bool utf8Input = std::string_view(from) == "UTF-8";
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 3 / 2 + 4);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        const std::size_t r = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (a sequence cut off at the end): replace one byte and go on.
        out.append(replacement);
        const std::size_t skip = badSequenceLength(utf8Input, src, srcLeft);
        src += skip;
        srcLeft -= skip;
    }
    ::iconv_close(cd);
    return out;
}

// Full-width forms of printable ASCII and the blank, in both directions, built once from
// the CP932 converter so that the table is exactly what CP932 holds.
struct WidthTables {
    std::array<std::string, 128> fullOf{};               // ASCII byte -> CP932 full-width
    std::unordered_map<unsigned, unsigned char> halfOf;  // two-byte code -> ASCII byte

    WidthTables() {
        auto add = [this](unsigned char ascii, std::string_view utf8) {
            const std::string sj = convert("CP932", "UTF-8", utf8, "");
            if (sj.size() != 2) return;
            fullOf[ascii] = sj;
            halfOf[static_cast<unsigned char>(sj[0]) * 256u + static_cast<unsigned char>(sj[1])] =
                ascii;
        };
        add(' ', "\xE3\x80\x80");  // U+3000 ideographic blank
        for (unsigned c = 0x21; c <= 0x7E; ++c) {
            const unsigned cp = 0xFF01 + (c - 0x21);  // U+FF01..U+FF5E
            const char utf8[] = {static_cast<char>(0xE0 | (cp >> 12)),
                                 static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                                 static_cast<char>(0x80 | (cp & 0x3F))};
            add(static_cast<unsigned char>(c), std::string_view(utf8, 3));
        }
        // The full-width yen sign reads as the byte 0x5C, which CP932 shows as a yen sign.
        halfOf[0x818F] = 0x5C;
    }
};

const WidthTables& widthTables() {
    static const WidthTables tables;
    return tables;
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

std::string toUtf8(std::string_view sjis) { return convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD"); }

std::string fromUtf8(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, "?"); }

const std::string& sjisLiteral(const char* utf8, std::size_t length) {
    static std::mutex mutex;
    static std::unordered_map<std::string, std::string> cache;
    const std::lock_guard lock(mutex);
    std::string key(utf8, length);
    auto it = cache.find(key);
    if (it == cache.end()) {
        std::string value = fromUtf8(key);
        it = cache.emplace(std::move(key), std::move(value)).first;
    }
    return it->second;
}

std::string toHalfWidth(std::string_view sjis) {
    const auto& t = widthTables();
    std::string out;
    out.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t n = charLength(sjis, i);
        if (n == 2) {
            const unsigned code =
                static_cast<unsigned char>(sjis[i]) * 256u + static_cast<unsigned char>(sjis[i + 1]);
            const auto it = t.halfOf.find(code);
            if (it != t.halfOf.end()) {
                out.push_back(static_cast<char>(it->second));
                i += 2;
                continue;
            }
        }
        out.append(sjis.substr(i, n));
        i += n;
    }
    return out;
}

std::string toFullWidth(std::string_view sjis) {
    const auto& t = widthTables();
    std::string out;
    out.reserve(sjis.size() * 2);
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t n = charLength(sjis, i);
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (n == 1 && b < 128 && !t.fullOf[b].empty())
            out.append(t.fullOf[b]);
        else
            out.append(sjis.substr(i, n));
        i += n;
    }
    return out;
}

}  // namespace runtime
