#pragma once
// CP932 <-> UTF-8 for the two places the window system meets UTF-8: what a backend draws
// and what the user types (and the texts of a script). The model itself holds CP932.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// CP932 -> UTF-8; a byte that is not CP932 becomes U+FFFD. Never fails.
std::string cp932ToUtf8(std::string_view cp932);
// UTF-8 -> CP932; a character CP932 cannot hold (and invalid UTF-8) becomes "?".
std::string utf8ToCp932(std::string_view utf8);

// UTF-8 -> CP932 only when the CP932 text converts back to exactly the same UTF-8: for a
// name that must stay the same name, such as a file name given on a command line.
// Nothing when a character has no CP932 form (or the UTF-8 is invalid).
std::optional<std::string> utf8ToCp932Exact(std::string_view utf8);

// The UTF-8 length of the first `cp932Bytes` bytes of `cp932`, and back: caret and
// selection positions move between the model's bytes and a widget's UTF-8.
std::size_t utf8Offset(std::string_view cp932, std::size_t cp932Bytes);
std::size_t cp932Offset(std::string_view utf8, std::size_t utf8Bytes);

}  // namespace platform
