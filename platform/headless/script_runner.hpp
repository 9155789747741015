#pragma once
// Runs a script of user actions against the model, one line at a time: carry out the
// line, let the program handle what it raised (the step hook), then the next line. The
// language is described in SCRIPT.md next to this file.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_backend.hpp"

namespace platform {

// Why a scripted run stopped early. The program's main turns it into its exit status.
struct ScriptError {
    int line = 0;
    std::string message;
    std::string text() const { return "line " + std::to_string(line) + ": " + message; }
};

struct ScriptDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// What the runner needs from the layers above the window system.
struct ScriptHooks {
    // Lets the program handle the notifications the last line raised.
    std::function<void()> step;
    // Sets the program's clock (`clock` lines); without it such a line fails.
    std::function<void(const ScriptDateTime&)> setClock;
    // True once the program has ended; a line after that fails.
    std::function<bool()> programEnded;
};

class ScriptRunner {
public:
    ScriptRunner(Model& model, HeadlessBackend& backend, ScriptHooks hooks, std::ostream& out);

    // Runs the whole script; nothing when every line was carried out.
    std::optional<ScriptError> run(std::string_view script);

    // Line at a time, for a program whose own event wait asks for the next action.
    void load(std::string_view script);
    bool finished() const { return next_ >= lines_.size(); }
    // Carries out the next line that is not blank or a comment. False when there was none.
    std::optional<ScriptError> runNextLine(bool* ranOne = nullptr);
    // Carries out the `answer` lines that stand next (blank and comment lines between
    // them skipped), for a dialog that finds no prepared answer.
    std::optional<ScriptError> runAnswerLines();
    // The checks after the last line: every prepared dialog answer was used.
    std::optional<ScriptError> finish();

private:
    std::optional<std::string> execute(std::string_view line);

    Model& model_;
    HeadlessBackend& backend_;
    ScriptHooks hooks_;
    std::ostream& out_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    int currentLine_ = 0;
};

}  // namespace platform
