#include "platform/cp932.hpp"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "platform/cp932_bytes.hpp"

namespace platform {

namespace {

// Bytes to skip over input the converter cannot take, so that one bad character gives one
// replacement: a whole UTF-8 sequence, or a CP932 lead byte with its trail byte (which is
// then never read as an ASCII character of its own, such as a backslash), else one byte.
std::size_t badLength(bool fromUtf8, const char* p, std::size_t left) {
    const auto b = static_cast<unsigned char>(*p);
    if (!fromUtf8) {
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

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement) {
    Converter cd(to, from);
    if (!cd.ok()) return std::string(in);
    const bool fromUtf8 = std::string_view(from) == "UTF-8";
    std::string out;
    out.reserve(in.size() * 3 / 2 + 4);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        const std::size_t r = ::iconv(cd.get(), &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        out.append(replacement);
        const std::size_t skip = badLength(fromUtf8, src, srcLeft);
        src += skip;
        srcLeft -= skip;
        ::iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) { return convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD"); }
std::string utf8ToCp932(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, "?"); }

std::optional<std::string> utf8ToCp932Exact(std::string_view utf8) {
    std::string cp932 = utf8ToCp932(utf8);
    if (cp932ToUtf8(cp932) != utf8) return std::nullopt;
    return cp932;
}

std::size_t utf8Offset(std::string_view cp932, std::size_t cp932Bytes) {
    return cp932ToUtf8(cp932.substr(0, std::min(cp932Bytes, cp932.size()))).size();
}

std::size_t cp932Offset(std::string_view utf8, std::size_t utf8Bytes) {
    return utf8ToCp932(utf8.substr(0, std::min(utf8Bytes, utf8.size()))).size();
}

}  // namespace platform
