#pragma once
// The diary's eight windows, each held in one form variable for the whole run, and the
// controls the program uses, attached by name right after their form was created.

#include <map>
#include <string>
#include <string_view>

#include "toolkit/toolkit.hpp"

namespace diary {

class FormWindow {
public:
    explicit FormWindow(const char* name) : name_(name) {}
    const std::string& name() const { return name_; }
    ObjectVar form = 0;
    // The control of that name; asking for one the program never attached is a fault of
    // the program, not of the user (std::logic_error).
    ObjectVar& operator[](std::string_view control);
    // Attaches the listed controls of this form.
    void attachControls(std::initializer_list<std::string_view> names);
    void attachControl(const std::string& name);
    // Every attached control by name.
    const std::map<std::string, ObjectVar, std::less<>>& controls() const { return controls_; }

private:
    std::string name_;
    std::map<std::string, ObjectVar, std::less<>> controls_;
};

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
