#pragma once
// The diary's eight windows, each held in one form variable for the whole run, and the
// controls the program uses, attached by name right after their form was created.

#include <string>

#include "common/ui/form_window.hpp"

namespace diary {

using common::ui::FormWindow;

struct Windows {
    FormWindow main{"MAINFORM"};
    FormWindow chart{"FORM2"};
    FormWindow trade{"FORM3"};
    FormWindow memo{"FORM4"};
    FormWindow closedTrades{"FORM5"};
    FormWindow options{"FORM6"};
    FormWindow input{"FORM7"};
    FormWindow checklist{"FORM8"};
};

// Creates and attaches the windows in the start-up order: MAINFORM (created by the
// runtime at launch), FORM3, FORM4, FORM5, FORM6, FORM7, FORM8, FORM2. Only the main
// window is shown; the others are shown by the commands that use them.
void createWindows(Windows& w);

}  // namespace diary
