#include "common/control_names.hpp"

namespace common {

std::string controlName(const char* kind, int number) { return kind + std::to_string(number); }

std::string groupItemTextName(int i, int g) { return controlName("TEXT", g == 1 ? i + 18 : 3 * g + i + 16); }
std::string groupItemComboName(int i, int g) { return controlName("COMBO", g == 1 ? i + 9 : 3 * g + i + 7); }
std::string groupFrameName(int g) { return controlName("GROUP", g); }
std::string groupButtonName(int g) { return controlName("BUTTON", g == 1 ? 30 : 37 + g); }
std::string optionTextName(int k) { return controlName("TEXT", 13 + k); }
std::string optionComboName(int k) { return controlName("COMBO", k + 4); }
std::string optionButtonName(int k) { return controlName("BUTTON", 24 + k); }

}  // namespace common
