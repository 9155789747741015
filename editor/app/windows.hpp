#pragma once
// The editor's seven forms, each held in one form variable for the whole run, and the
// controls the editor uses, attached by name right after their form was created.

#include <string>

#include "common/ui/form_window.hpp"

namespace editor {

using common::ui::FormWindow;

struct Windows {
    FormWindow main{"MAINFORM"};
    FormWindow options{"FORM2"};
    FormWindow group{"FORM3"};
    FormWindow group02{"FORM4"};
    FormWindow option{"FORM5"};
    FormWindow pairs{"FORM6"};
    FormWindow timeframes{"FORM7"};
};

// Binds MAINFORM (created by the runtime at launch) and creates FORM2..FORM7 hidden,
// each with its controls attached.
void createWindows(Windows& w);

// The names of the main form's list controls: the label and the combo box of sub-list k
// of group g (TEXT4..TEXT37, COMBO4..COMBO37: k + 3 for group 1, 3g + k + 1 otherwise),
// the frame of group g, and the label and combo box of option o on FORM2 (TEXT38..TEXT42,
// COMBO38..COMBO42).
std::string subListLabelName(int g, int k);
std::string subListComboName(int g, int k);
std::string groupFrameName(int g);
std::string optionLabelName(int o);
std::string optionComboName(int o);

}  // namespace editor
