#include "common/ui/stop_message.hpp"

#include "common/ui/controls.hpp"

namespace common {

void PV$STOP_SUB(const std::string& caption, const std::string& text) {
    ui::messageBox(nullptr, caption, text, ui::box::Ok, ui::box::ExclamationIcon);
}

}  // namespace common
