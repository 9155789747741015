#pragma once
// The standard message box and input box, drawn by FLTK. Each runs modal until the user
// answers; the answer comes back in the model's terms (button code, CP932 text).

#include "platform/backend.hpp"

namespace platform::fltk {

DialogAnswer runMessageBox(const DialogRequest& request);
DialogAnswer runInputBox(const DialogRequest& request);

}  // namespace platform::fltk
