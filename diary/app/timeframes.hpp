#pragma once
// The base timeframe and the classification choices of the trade window: sub-items and
// options named "SHORT", "MIDDLE" or "LONG" are shown and stored under the timeframe the
// basic data give that role for the chosen base timeframe; a choice is recorded with the
// date-time it was made.

#include <cstdint>
#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

// kind "SHORT", "MIDDLE", "LONG": label = that column of the basic data's timeframe row
// `index`; any other kind leaves the label as it is.
void PV$時間足割当_SUB(const BasicData& basic, const std::string& kind, std::string& label, std::int16_t index);

// Recomputes the display labels from COMBO4's selection, shows them (with "★" where a
// chart catalogue is registered) and stores them in the open record (command 18, and the
// end of filling the screen).
void relabel(Diary& d);

// A group or option combo box changed (command 17): the open record takes the choice,
// its text and its date-time (none for choice 0), unless its block was read from a later
// version.
void recordChoice(Diary& d, int combo);

// Sets every group and option combo box to the record's choice, then relabels.
void fillChoices(Diary& d, const TradeRecord& r);

}  // namespace diary
