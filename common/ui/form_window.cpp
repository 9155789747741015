#include "common/ui/form_window.hpp"

#include <stdexcept>

#include "common/ui/controls.hpp"

namespace common::ui {

ObjectVar& FormWindow::operator[](std::string_view control) {
    const auto it = controls_.find(control);
    if (it == controls_.end()) throw std::logic_error(name_ + " has no attached control " + std::string(control));
    return it->second;
}

void FormWindow::attachControl(const std::string& name) { attach(controls_[name], &form, name); }

void FormWindow::attachControls(std::initializer_list<std::string_view> names) {
    for (std::string_view n : names) attachControl(std::string(n));
}

}  // namespace common::ui
