#pragma once
// What the standard dialogs share: running one modal to its owner's form through the
// backend, and their argument checks.

#include <cstdint>
#include <string>

#include "platform/backend.hpp"
#include "toolkit/toolkit.hpp"

namespace toolkit {

// The answer of a cancelled input box or file dialog: one character 27, which no typed
// text or file name can be.
inline constexpr char cancelMarker = 27;

// Runs the dialog with its owner form disabled and gives back the user's answer (an
// answer no user could have given does not come back: see runtime::runDialog).
platform::DialogAnswer runDialog(const platform::DialogRequest& request, std::uint32_t operation);

// A string argument of at most `most` bytes (else error 5 with check number `check`).
std::string checkedText(const PvString* text, std::size_t most, std::uint32_t operation, std::uint32_t check);

// The owner of a dialog that only forms may own: `emptyError` for a null or empty variable,
// then the common steps with forms as the only kind.
platform::Handle checkedOwnerForm(const ObjectVar* owner, std::uint32_t operation, int emptyError);

}  // namespace toolkit
