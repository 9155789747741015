#pragma once
// The four values the main form edits as text: the default lots, the currency unit, the
// stock capacity and the chart-folder name. Shown as the text of each value; taken back
// with the editor's corrections, and refused where a correction cannot make a value the
// diary accepts, so that no file is written that the diary would then refuse to start on.

#include <optional>
#include <string>

#include "common/basic_data/basic_data.hpp"

namespace editor {

struct MainFields {
    std::string lots;         // EDIT1
    std::string unit;         // EDIT2
    std::string stock;        // EDIT18
    std::string chartFolder;  // EDIT19
    bool operator==(const MainFields&) const = default;
};

// A value the user must change before the file can be written.
struct Refusal {
    std::string caption, text;
};

// The texts the main form shows for the data.
MainFields mainFieldsOf(const common::BasicData& data);

// Takes the four texts into the data, corrected as the editor saves them: lots as a whole
// number with 0 made 1, the unit with 0 made 10000, the stock capacity as a whole number
// with less than 5 made 5, an empty folder name made "FXCG" (text that is no number
// reads as 0). A value still out of the diary's bounds is refused and `data` is left
// unchanged: lots and stock capacity that no 16-bit number holds, a stock capacity above
// 9999, a unit beyond the single range, a folder name that is not one plain folder name.
std::optional<Refusal> takeMainFields(const MainFields& fields, common::BasicData& data);

}  // namespace editor
