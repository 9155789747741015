#pragma once
// What the font operations and the font dialog share: the face name of a font record, and
// the font families a program may name.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.hpp"
#include "toolkit/toolkit.hpp"

namespace toolkit {

inline constexpr std::size_t mostFaceBytes = 31;

// The face of a record: its 32 bytes up to the first NUL, without the padding spaces.
std::string faceOf(const FontRecord& record);
// Writes a face of at most 31 bytes into a record, padded with spaces to 32 bytes.
void putFace(FontRecord& record, std::string_view face);

// The backend's font families of 1 to 31 bytes, sorted without regard to the case of
// ASCII letters (platform::lessIgnoringCase), each once.
std::vector<std::string> fontNames(platform::Backend& backend);

}  // namespace toolkit
