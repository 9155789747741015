#pragma once
// A program's window: its form, held in one form variable for the whole run, and the
// controls the program uses, attached by name right after the form was created.

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

#include "toolkit/toolkit.hpp"

namespace common::ui {

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

}  // namespace common::ui
