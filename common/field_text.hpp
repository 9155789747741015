#pragma once
// Writing a text as one field of a data file so that the field reader gives it back
// whole. Texts are written as they are unless the reader would change them: a text with
// a comma or blanks at either end is put in double quotes. (A quoted field ends at the
// next double quote, so a text that begins with one, or holds a comma and a quote, cannot
// be written as one field.)

#include <string>
#include <string_view>

namespace common {

std::string fieldText(std::string_view text);

}  // namespace common
