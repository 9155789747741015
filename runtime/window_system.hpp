#pragma once
// The process's one window system: the platform model and the backend that shows it live
// here, in the runtime, so that the programs and both libraries share them. A program
// starts through runProgram(), which picks the backend from the command line, creates the
// main form, runs the main program and then the runtime's own loop until the main window
// is gone.

#include <chrono>
#include <stdexcept>
#include <string>

#include "platform/backend.hpp"
#include "platform/model.hpp"

namespace platform {
class HeadlessBackend;
}

namespace runtime {

// The model of the running program. Exists from the first use on.
platform::Model& model();
// The backend; null before one was started.
platform::Backend* backend();
bool hasBackend();

// The colour chooser's custom colours, kept for the whole run: each chooser offers what
// the user left in the last one. All white at the start and after resetWindowSystem. They
// live in the window system itself, so there is never storage for them to lack (the
// run-time error for that, 89, cannot arise here).
platform::CustomColours& customColours();

// Starts the backend without a screen (no script: tests act through the model's user*
// operations). Replaces any backend started before.
platform::HeadlessBackend& startHeadless();
// Starts real windows; false when this build has no FLTK backend.
bool startFltk();
// Destroys every window, forgets the forms, events and the main window, and stops the
// backend: a fresh start for the next test.
void resetWindowSystem();

// Lets the backend catch up and wait (asleep, at most `timeout`) for the user, then turns
// what the user did into queued events.
void pumpWindowSystem(std::chrono::milliseconds timeout);

// Shows a standard dialog through the backend (one must have been started) and gives back
// the user's answer. A dialog no user could have answered so (a scripted run with no answer
// for it, or with one the dialog does not take) stops the scripted run with the reason.
platform::DialogAnswer runDialog(const platform::DialogRequest& request);

// Thrown by the end-program path; runProgram turns it into the exit status. Programs do
// not catch it.
struct ProgramEnd {
    int status = 0;
};

// Thrown when a scripted run stops: a line could not be carried out, or the script ran
// out while the program still waited.
struct ScriptStop : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The program's entry: `--headless SCRIPT` runs on the headless backend fed by the script
// (see platform/headless/SCRIPT.md), anything else on real windows. Returns the exit
// status: 0 for a normal end, non-zero after a failed script line or an uncaught run-time
// error (its message on stderr), which ends the program through the fatal error report
// (runtime/fatal_report.hpp) while the program's windows are still shown.
int runProgram(int argc, char** argv, void (*mainProgram)());

}  // namespace runtime
