#pragma once
// The character type the X input method works in. The input method hands committed text
// over in the encoding of the character type in force when FLTK opened the display, and
// FLTK opens it (and the input method with it) after setlocale(LC_CTYPE, ""), which takes
// the character type from the environment. Under a character type that is not UTF-8 ("C",
// or no locale at all) typed Japanese composes but never arrives.

namespace platform::fltk {

// Makes the environment give a UTF-8 character type when the user's own LC_ALL, LC_CTYPE
// and LANG give none: LC_CTYPE becomes "C.UTF-8". A LC_ALL that would outrank it gives way
// to one variable per category with its value, so every other category (messages,
// numbers, dates and the rest) stays as the user set it. A UTF-8 character type the user
// chose is left alone. Also sets the process's character type from the environment, as
// FLTK will. Call before FLTK opens the display.
void holdUtf8CharacterType();

}  // namespace platform::fltk
