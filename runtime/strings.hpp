#pragma once
// The runtime's string operations over CP932 byte strings, with 1-based positions as the
// programs use them: left, right and middle parts, in-place replacement, search, codes,
// repeated characters and blanks. Searches only match at character boundaries, so an
// ASCII byte that is the trail byte of a two-byte character is never found.

#include <string>
#include <string_view>

#include "platform/cp932_bytes.hpp"

namespace runtime {

// First n bytes (all when n exceeds the length; "" when n <= 0).
std::string left(std::string_view s, long n);
// Last n bytes.
std::string right(std::string_view s, long n);
// From 1-based `start`, at most `length` bytes (length < 0: to the end). start < 1 is
// error 5; a start past the end gives "".
std::string mid(std::string_view s, long start, long length = -1);
// In-place replacement: replaces bytes of `target` from 1-based `start` with the first
// bytes of `replacement`, at most `length` of them (length < 0: all), never changing the
// length of `target`. start < 1 or past the end is error 5.
void midReplace(std::string& target, long start, long length, std::string_view replacement);

// 1-based position of `find` in `s` at or after 1-based `start`, at a character
// boundary; 0 when absent. An empty `find` gives `start` when start <= length + 1.
// start < 1 is error 5.
long instr(long start, std::string_view s, std::string_view find);
inline long instr(std::string_view s, std::string_view find) { return instr(1, s, find); }

// The character with code `code`: one byte for 0..255, two bytes (high, low) for a
// two-byte code such as 0x8140. Other values are error 5.
std::string chr(long code);
// Code of the first character: its byte, or high * 256 + low for a two-byte character.
// An empty string is error 5.
long asc(std::string_view s);

// n copies of the first character of `c` (n < 0 is error 5).
std::string repeatChar(long n, std::string_view c);
// n blanks (n < 0 is error 5).
std::string spaces(long n);

// Byte-wise comparison: < 0, 0 or > 0.
int compare(std::string_view a, std::string_view b);

// Removes leading and trailing blanks (space and tab).
std::string trimBlanks(std::string_view s);

// Upper-case of ASCII letters; two-byte characters are left alone.
using platform::upperAscii;

}  // namespace runtime
