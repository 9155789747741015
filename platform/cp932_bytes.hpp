#pragma once
// CP932 (Shift-JIS) text as bytes, for every layer that holds it: where a character starts
// and ends, cutting a text to a byte budget, letter case, and file-name patterns. A byte
// that is no CP932 never stops any of these: a lead byte at the very end is one character.
//
// Letter case is that of the single-byte ASCII letters only. The trail byte of a two-byte
// character may be the byte of an ASCII letter ("ア" is 0x83 0x41, "ヂ" 0x83 0x61); it is
// never a letter and never folds.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// True for a byte that starts a two-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Byte length of the character starting at `pos`: 2 for a lead byte followed by another
// byte, else 1; 0 at or past the end.
std::size_t charLength(std::string_view s, std::size_t pos);

// True when byte `pos` starts a character (is not the trail byte of a two-byte one); the
// end of the text is a boundary.
bool isCharBoundary(std::string_view s, std::size_t pos);

// The length of the longest prefix of `s` of at most `n` bytes that ends on a character
// boundary: a text cut to a byte budget never keeps half of a two-byte character.
std::size_t fitBytes(std::string_view s, std::size_t n);

// The text with its single-byte ASCII letters in upper case.
std::string upperAscii(std::string_view s);

// Byte order of the texts as upperAscii gives them (< 0, 0, > 0), without copying them.
int compareIgnoringCase(std::string_view a, std::string_view b);
inline bool sameIgnoringCase(std::string_view a, std::string_view b) { return compareIgnoringCase(a, b) == 0; }
inline bool lessIgnoringCase(std::string_view a, std::string_view b) { return compareIgnoringCase(a, b) < 0; }

// True when the name matches the file-name pattern: "*" any run of characters, "?" one
// character (a two-byte character counting as one), ASCII letters without regard to case,
// anything else exactly. "*.*" matches every name, names without an extension included,
// as the file search the programs were written for treats it.
bool matchesPattern(std::string_view name, std::string_view pattern);

}  // namespace platform
