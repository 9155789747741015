#include "imaging/net/mail_codec.hpp"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace imaging::net {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The Q encoding of header words: quoted-printable with "_" for a blank.
std::string qDecode(std::string_view text) {
    std::string spaced(text);
    for (char& c : spaced)
        if (c == '_') c = ' ';
    return quotedPrintableDecode(spaced);
}

struct EncodedWord {
    std::size_t end = 0;  // one past the closing "?="
    std::string text;     // decoded, UTF-8
};

// The encoded word starting at `at` ("=?charset?B|Q?text?="), if one does.
bool readEncodedWord(std::string_view value, std::size_t at, EncodedWord& word) {
    if (value.substr(at, 2) != "=?") return false;
    const std::size_t q1 = value.find('?', at + 2);
    if (q1 == std::string_view::npos || q1 + 2 >= value.size() || value[q1 + 2] != '?') return false;
    const std::size_t close = value.find("?=", q1 + 3);
    if (close == std::string_view::npos) return false;
    std::string_view charset = value.substr(at + 2, q1 - at - 2);
    charset = charset.substr(0, charset.find('*'));  // a language after "*" does not matter here
    const char encoding = static_cast<char>(std::toupper(static_cast<unsigned char>(value[q1 + 1])));
    const std::string_view payload = value.substr(q1 + 3, close - q1 - 3);
    std::string raw;
    if (encoding == 'B') raw = base64Decode(payload);
    else if (encoding == 'Q') raw = qDecode(payload);
    else return false;
    word.end = close + 2;
    word.text = charsetToUtf8(raw, charset);
    return true;
}

}  // namespace

std::string base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0U);
        for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kAlphabet[(v >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

std::string base64Decode(std::string_view text) {
    std::string out;
    std::uint32_t v = 0;
    int bits = 0;
    for (const char c : text) {
        if (c == '=') break;
        const int d = base64Value(c);
        if (d < 0) continue;
        v = (v << 6) | static_cast<std::uint32_t>(d);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((v >> bits) & 0xFF);
        }
    }
    return out;
}

std::string quotedPrintableDecode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i];
            continue;
        }
        // A soft line break: "=" at the end of a line.
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) {
            i += (text[i + 1] == '\r' && i + 2 < text.size() && text[i + 2] == '\n') ? 2 : 1;
            continue;
        }
        const int hi = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
        const int lo = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
        if (hi < 0 || lo < 0) {
            out += '=';  // not an escape: kept as written
            continue;
        }
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

std::string encodeHeaderText(std::string_view utf8) {
    bool plain = true;
    for (const char c : utf8) plain = plain && c >= 0x20 && c < 0x7F;
    if (plain) return std::string(utf8);
    // Words of at most 45 bytes of text (60 encoded), cut between characters.
    std::string out;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = std::min(start + 45, utf8.size());
        while (end < utf8.size() && end > start && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
        if (end == start) end = std::min(start + 45, utf8.size());
        if (!out.empty()) out += "\r\n ";
        out += "=?UTF-8?B?" + base64Encode(utf8.substr(start, end - start)) + "?=";
        start = end;
    }
    return out;
}

std::string decodeHeaderText(std::string_view value) {
    std::string out;
    std::string pendingBlanks;
    bool afterWord = false;
    for (std::size_t i = 0; i < value.size();) {
        EncodedWord word;
        if (readEncodedWord(value, i, word)) {
            if (!afterWord) out += pendingBlanks;  // blanks between two encoded words vanish
            pendingBlanks.clear();
            out += word.text;
            i = word.end;
            afterWord = true;
            continue;
        }
        const char c = value[i++];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (c == ' ' || c == '\t') pendingBlanks += c;
            continue;
        }
        out += pendingBlanks;
        pendingBlanks.clear();
        out += c;
        afterWord = false;
    }
    return out + pendingBlanks;
}

std::string charsetToUtf8(std::string_view bytes, std::string_view charset) {
    const std::string name = lower(charset);
    if (name.empty() || name == "utf-8" || name == "us-ascii" || name == "utf8") return std::string(bytes);
    // Mail's Shift_JIS is written by Windows mailers: their code page.
    const std::string from = name == "shift_jis" || name == "sjis" || name == "x-sjis" ? "CP932" : name;
    const iconv_t cd = ::iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
    std::string input(bytes);
    std::string out(input.size() * 4 + 16, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    const bool converted = ::iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1) &&
                           ::iconv(cd, nullptr, nullptr, &to, &outLeft) != static_cast<std::size_t>(-1);
    ::iconv_close(cd);
    if (!converted) return std::string(bytes);
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace imaging::net
