#pragma once
// A list of the basic data as the text of a multi-line edit box, one item per line, and
// back. The editor's list forms edit every choice list, the pairs and the option lists
// this way.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

// The edit-box text of items 1..count: the items joined by CR LF, none after the last;
// count <= 0 gives "". `items` holds element 0 (not shown) and at least count more.
std::string PX$SETEDIT_SUB(int count, std::span<const std::string> items);

// The lines of an edit box's text as the box numbers them: CR LF (or a lone LF or CR)
// ends a line, and the text after the last line end is a line too, empty or not, so ""
// is one empty line and "A\r\n" two.
std::vector<std::string> editLines(std::string_view text);

// The items a text stores: its lines, less one trailing empty line (a line break after
// the last item); empty lines inside the text, and a second empty line at its end, stay
// as empty items.
std::vector<std::string> listItems(std::string_view text);

// Why the text of a list cannot be stored as it stands.
struct ListFault {
    enum Kind { None, TooManyItems, Unwritable } kind = None;
    int items = 0;  // the number of items the text holds
    int line = 0;   // Unwritable: the first line (from 1) that no field of the file can hold
};

// Checks a list's text against the list's capacity and the file's field rule.
ListFault checkListText(std::string_view text, int capacity);

}  // namespace editor
