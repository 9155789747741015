#pragma once
// The control-name routines: each composes the name of a group or option control, attaches
// that control to one shared handle of the program state and sets its font size. g is
// the group 1..11, i the sub-item 0..3, k the option 1..5.

#include <string>

#include "common/control_names.hpp"
#include "diary/app/diary_state.hpp"

namespace diary {

// The names themselves come from common/control_names.hpp.
using common::groupButtonName;
using common::groupFrameName;
using common::groupItemComboName;
using common::groupItemTextName;
using common::optionButtonName;
using common::optionComboName;
using common::optionTextName;

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
