#pragma once
// The control-name routines: each composes the name of a group or option control, attaches
// that control to one shared handle of the program state and sets its font size. g is
// the group 1..11, i the sub-item 0..3, k the option 1..5.

#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

// The names, as the trade window (FORM3) and the option window (FORM6) number them.
std::string groupItemTextName(int i, int g);   // "TEXT" + (i + 18) for g = 1, else 3g + i + 16
std::string groupItemComboName(int i, int g);  // "COMBO" + (i + 9) for g = 1, else 3g + i + 7
std::string groupFrameName(int g);             // "GROUP" + g
std::string groupButtonName(int g);            // "BUTTON" + 30 for g = 1, else 37 + g
std::string optionTextName(int k);             // "TEXT" + (13 + k)
std::string optionComboName(int k);            // "COMBO" + (k + 4)
std::string optionButtonName(int k);           // "BUTTON" + (24 + k)

void PX$TEXT_NO_SUB3(Diary& d, int i, int g);
void PX$COMBO_NO_SUB3(Diary& d, int i, int g);
void PX$GROUP_NO_SUB3(Diary& d, int g);
void PX$BUTTON_NO_SUB3(Diary& d, int g);
void PX$TEXT_NO_SUB1(Diary& d, int k);
void PX$COMBO_NO_SUB1(Diary& d, int k);
void PX$BUTTON_NO_SUB1(Diary& d, int k);
void PX$OTH_BUTTON_NO_SUB(Diary& d, int n);

// The label of sub-item i of group g (option k), with "★" in front when a chart
// catalogue is registered for its choices.
std::string markedGroupLabel(const BasicData& data, int i, int g, const std::string& label);
std::string markedOptionLabel(const BasicData& data, int k, const std::string& label);
// Writes the label into the text control of sub-item i of group g (option k).
void PX$SETCGT_SUB3(Diary& d, int i, int g, const std::string& label);
void PX$SETCGT_SUB1(Diary& d, int k, const std::string& label);

}  // namespace diary
