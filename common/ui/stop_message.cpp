#include "common/ui/stop_message.hpp"

#include "common/ui/controls.hpp"

namespace common {

void PV$STOP_SUB(const std::string& caption, const std::string& text) {
    constexpr int okButton = 0, exclamationIcon = 2;
    ui::messageBox(nullptr, caption, text, okButton, exclamationIcon);
}

}  // namespace common
