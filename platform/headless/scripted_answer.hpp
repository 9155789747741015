#pragma once
// What a dialog does with a scripted answer before it closes, as the dialog on screen
// would: a file named without its folder is a file of the folder the dialog shows, and an
// answer no user could have given there is refused, with the reason.

#include <optional>
#include <string>

#include "platform/backend.hpp"

namespace platform {

// Completes `answer` for the dialog of `request` and says why the dialog would not take
// it: a button the message box does not show, a face the font dialog does not offer or a
// size it does not take, a file or folder the file dialog would not close with (a missing
// folder always, a missing file in an open dialog of mode 0). Nothing when it takes it.
std::optional<std::string> takeScriptedAnswer(const DialogRequest& request, DialogAnswer& answer);

}  // namespace platform
