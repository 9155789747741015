#pragma once
// The warning both programs show for every problem the user can fix, and before every
// fatal end.

#include <string>

namespace common {

// A message box with the caption and text, an OK button and the exclamation icon. It
// returns when the user closed it; it does not end the program.
void PV$STOP_SUB(const std::string& caption, const std::string& text);

}  // namespace common
