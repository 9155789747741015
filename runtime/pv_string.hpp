#pragma once
// The runtime's string descriptor, in which strings cross the toolkit boundary: the byte
// length in the second word, the address of the CP932 text in the third. The text need
// not end in NUL; the length is what counts.

#include <cstdint>
#include <string>
#include <string_view>

namespace runtime {

struct PvString {
    std::uint32_t flags = 0;
    std::uint32_t length = 0;
    const char* text = nullptr;
};

// A descriptor over a string the caller keeps alive.
inline PvString pvString(const std::string& s) {
    return PvString{0, static_cast<std::uint32_t>(s.size()), s.data()};
}

// The bytes a descriptor names; empty for a null descriptor or text address.
inline std::string_view view(const PvString* s) {
    if (s == nullptr || s->text == nullptr) return {};
    return std::string_view(s->text, s->length);
}

// The result of an operation that returns a string: the runtime owns the bytes until the
// next string result replaces them, so the descriptor stays valid for the caller to copy.
const PvString* returnString(std::string value);

}  // namespace runtime
