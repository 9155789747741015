// QUILLSET, the basic-data editor: the runtime creates the main form at launch and runs
// the main program, which asks where "基本データ.TXT" lies, reads it and then runs the
// command loop until one of the two ends (or the close box) ends the program.
//   QUILLSET [--headless SCRIPT]

#include "editor/app/commands.hpp"
#include "editor/app/editor_state.hpp"
#include "editor/app/startup.hpp"
#include "runtime/window_system.hpp"

namespace {

void mainProgram() {
    editor::Editor& e = editor::editor();
    editor::startUp(e);
    editor::mainLoop(e);
}

}  // namespace

int main(int argc, char** argv) { return runtime::runProgram(argc, argv, mainProgram); }
