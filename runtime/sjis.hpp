#pragma once
// Shift-JIS (code page 932) text. Runtime strings are std::string holding CP932 bytes;
// lengths and positions count bytes. Text crosses to UTF-8 only at the display and at
// the file-system boundary. Where characters start and end, letter case and file-name
// patterns are the window system's CP932 byte kit (platform/cp932_bytes.hpp), which the
// runtime shares.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

// CP932 -> UTF-8. Bytes that are not valid CP932 become U+FFFD; never fails.
std::string toUtf8(std::string_view sjis);
// UTF-8 -> CP932. Characters CP932 cannot hold (and invalid UTF-8) become "?".
std::string fromUtf8(std::string_view utf8);
// UTF-8 -> CP932 for a name that must stay the same name (a file name from the command
// line): nothing when a character has no CP932 form that converts back the same.
std::optional<std::string> fromUtf8Exact(std::string_view utf8);

// A Japanese literal of the UTF-8 source as its CP932 bytes, converted once per literal:
// "基本データ.TXT"_sj is the file's real Shift-JIS name.
const std::string& sjisLiteral(const char* utf8, std::size_t length);

// Full-width digits, letters, symbols and the ideographic blank become their ASCII
// counterparts ("０７" -> "07", "－" -> "-", "．" -> ".", "　" -> " "); everything
// else is kept as it is.
std::string toHalfWidth(std::string_view sjis);
// The inverse of toHalfWidth for printable ASCII and the blank.
std::string toFullWidth(std::string_view sjis);

}  // namespace runtime

namespace runtime::literals {
inline const std::string& operator""_sj(const char* utf8, std::size_t length) {
    return runtime::sjisLiteral(utf8, length);
}
}  // namespace runtime::literals
