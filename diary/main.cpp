// QUILLON, the trading diary: the runtime creates the main window at launch and runs the
// main program, which starts the diary up and then runs the command loop until the main
// window is closed.
//   QUILLON [--headless SCRIPT]

#include "diary/app/diary_state.hpp"
#include "diary/app/main_loop.hpp"
#include "diary/app/startup.hpp"
#include "runtime/window_system.hpp"

namespace {

void mainProgram() {
    diary::Diary& d = diary::diary();
    diary::startUp(d);
    diary::mainLoop(d);
}

}  // namespace

int main(int argc, char** argv) { return runtime::runProgram(argc, argv, mainProgram); }
