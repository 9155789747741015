#pragma once
// The one rule by which every data file writes a text as one field, so that the field
// reader gives it back whole.
//  * A text is written as it is, unless the reader would change it: a comma, a blank or
//    tab at either end, or a leading double quote. Such a text is put in double quotes.
//  * Fields the layouts always quote (folder paths, catalogue labels, date-times) are in
//    double quotes whenever the text allows it.
//  * A quoted field ends at the next double quote, so a text holding one can only stand
//    unquoted; a text holding a double quote together with a comma or an edge blank (or
//    starting with one), or holding a line end or the end-of-file byte 0x1A, fits no field
//    at all. Such a text is refused where it is entered (fieldCanHold); the writers raise
//    error 5 rather than write it broken.

#include <string>
#include <string_view>

namespace common {

// True when some field gives the text back whole.
bool fieldCanHold(std::string_view text);

// The text as one field: as it is, or in double quotes where the reader needs them.
std::string fieldText(std::string_view text);
// The text in double quotes (the layouts' Q(x)); a text holding a double quote is written
// as fieldText writes it.
std::string quotedField(std::string_view text);

}  // namespace common
