#include "runtime/sjis.hpp"

#include "platform/cp932.hpp"
#include "platform/cp932_bytes.hpp"

#include <array>
#include <mutex>
#include <unordered_map>

namespace runtime {

namespace {

// Full-width forms of printable ASCII and the blank, in both directions, built once from
// the CP932 converter so that the table is exactly what CP932 holds.
struct WidthTables {
    std::array<std::string, 128> fullOf{};               // ASCII byte -> CP932 full-width
    std::unordered_map<unsigned, unsigned char> halfOf;  // two-byte code -> ASCII byte

    WidthTables() {
        auto add = [this](unsigned char ascii, std::string_view utf8) {
            const std::string sj = fromUtf8(utf8);
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

// The window system converts for display and typing; strings and file names use the
// same conversion, so a text reads alike wherever it crosses to UTF-8.
std::string toUtf8(std::string_view sjis) { return platform::cp932ToUtf8(sjis); }

std::string fromUtf8(std::string_view utf8) { return platform::utf8ToCp932(utf8); }

std::optional<std::string> fromUtf8Exact(std::string_view utf8) { return platform::utf8ToCp932Exact(utf8); }

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
        const std::size_t n = platform::charLength(sjis, i);
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
        const std::size_t n = platform::charLength(sjis, i);
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
