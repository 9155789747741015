#pragma once
// The names of the diary's group and option controls, as the trade window (FORM3) and
// the option window (FORM6) number them: one derivation for the window set-up, the
// control-name routines and the screens. g is the group 1..11, i the sub-item 0..3, k
// the option 1..5.

#include <string>

namespace common {

// kind + the number in plain digits: ("BUTTON", 30) -> "BUTTON30".
std::string controlName(const char* kind, int number);

std::string groupItemTextName(int i, int g);   // "TEXT" + (i + 18) for g = 1, else 3g + i + 16
std::string groupItemComboName(int i, int g);  // "COMBO" + (i + 9) for g = 1, else 3g + i + 7
std::string groupFrameName(int g);             // "GROUP" + g
std::string groupButtonName(int g);            // "BUTTON" + 30 for g = 1, else 37 + g
std::string optionTextName(int k);             // "TEXT" + (13 + k)
std::string optionComboName(int k);            // "COMBO" + (k + 4)
std::string optionButtonName(int k);           // "BUTTON" + (24 + k)

}  // namespace common
