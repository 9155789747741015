#include "diary/app/program_end.hpp"

#include "common/ui/stop_message.hpp"
#include "runtime/window_system.hpp"

namespace diary {

void endProgram() { throw runtime::ProgramEnd{0}; }

void stopProgram(const std::string& caption, const std::string& text) {
    common::PV$STOP_SUB(caption, text);
    endProgram();
}

}  // namespace diary
