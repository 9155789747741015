#pragma once
// A readable listing of every window and its state, texts in UTF-8: what a scripted run
// prints for `dump`, and what a failing test shows.

#include <ostream>

#include "platform/model.hpp"

namespace platform {

void dumpWindow(const Model& model, Handle h, std::ostream& out);
// Every form, front to back, each followed by its controls in window order.
void dumpModel(const Model& model, std::ostream& out);

}  // namespace platform
