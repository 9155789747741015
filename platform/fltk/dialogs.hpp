#pragma once
// The standard message box, input box, file dialog, colour chooser and font dialog, drawn
// by FLTK. Each runs modal until the user answers; the answer comes back in the model's
// terms (button code, CP932 text, colours as 0x00BBGGRR).

#include "platform/backend.hpp"

namespace platform::fltk {

DialogAnswer runMessageBox(const DialogRequest& request);
DialogAnswer runInputBox(const DialogRequest& request);
// The open and save dialog, over the request's start folder, file name and filters.
DialogAnswer runFileDialog(const DialogRequest& request);
// The colour chooser, starting at the request's colour, with its custom colours.
DialogAnswer runColorChooser(const DialogRequest& request);
// The font dialog, starting at the request's font, offering the request's faces.
DialogAnswer runFontDialog(const DialogRequest& request);

}  // namespace platform::fltk
