// A program on the toolkit as the diary is built: the runtime creates MAINFORM at launch,
// the main program attaches its controls, and the main loop waits until a handler posts
// a command, then runs it. It prints what arrived, read back through the toolkit.
//   toolkit_demo [--headless SCRIPT]

#include <iostream>
#include <string>

#include "platform/cp932.hpp"
#include "runtime/window_system.hpp"
#include "toolkit/toolkit.hpp"

namespace {

int commandCode = 0;
ObjectVar mainForm = 0, edit1 = 0;

ObjectVar attach(ObjectVar* form, const char* name) {
    const std::string n = name;
    const PvString pv = runtime::pvString(n);
    ObjectVar v = 0;
    PX$ATTACH(&v, PX$GETDLGITEM(form, &pv));
    return v;
}

void mainProgram() {
    mainForm = attach(nullptr, "MAINFORM");
    edit1 = attach(&mainForm, "EDIT1");
    std::cout << "ready" << std::endl;
    while (true) {
        commandCode = 0;
        while (commandCode == 0) PX$WAITEVENT(&mainForm);
        switch (commandCode) {
        case 1: std::cout << "button BUTTON1" << std::endl; break;
        case 2: {
            const std::string text(runtime::view(PX$GETWINDOWTEXT(&edit1)));
            std::cout << "edit EDIT1 " << platform::cp932ToUtf8(text) << std::endl;
            // A name typed into the edit is looked up in the form; an unknown one is a
            // run-time error nobody traps, which ends the program.
            if (text.rfind("find ", 0) == 0) attach(&mainForm, text.substr(5).c_str());
            break;
        }
        }
    }
}

}  // namespace

extern "C" {
void PX$BUTTON1_ON(void*) { commandCode = 1; }
void PX$EDIT1_CHANGE(void*) { commandCode = 2; }
// "終了" closes the main form from its handler, as the diary's end does; the wait that ran
// the handler then finds the main window gone and the program ends.
void PX$BUTTON3_ON(void*) { PX$DESTROYWINDOW(&mainForm); }
void PX$MAINFORM_END(void*) { std::cout << "end MAINFORM" << std::endl; }
}

int main(int argc, char** argv) { return runtime::runProgram(argc, argv, mainProgram); }
