#pragma once
// The standard message box, input box and file dialog, drawn by FLTK. Each runs modal until the user
// answers; the answer comes back in the model's terms (button code, CP932 text).

#include "platform/backend.hpp"

namespace platform::fltk {

DialogAnswer runMessageBox(const DialogRequest& request);
DialogAnswer runInputBox(const DialogRequest& request);
// The open and save dialog, over the request's start folder, file name and filters.
DialogAnswer runFileDialog(const DialogRequest& request);
// FLTK's colour chooser, starting at the request's colour.
DialogAnswer runColorChooser(const DialogRequest& request);

}  // namespace platform::fltk
