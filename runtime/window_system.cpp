#include "runtime/window_system.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "platform/headless/headless_backend.hpp"
#include "platform/headless/script_runner.hpp"
#include "runtime/clock.hpp"
#include "runtime/error.hpp"
#include "runtime/events.hpp"
#include "runtime/fatal_report.hpp"
#include "runtime/forms.hpp"
#include "runtime/resources.hpp"
#ifdef QUILL_HAVE_FLTK
#include "platform/fltk/fltk_backend.hpp"
#endif

namespace runtime {

namespace {

constexpr platform::CustomColours allWhite() {
    platform::CustomColours c{};
    c.fill(0xFFFFFF);
    return c;
}

struct WindowSystem {
    platform::Model model;
    std::unique_ptr<platform::Backend> backend;
    std::unique_ptr<platform::ScriptRunner> script;
    platform::CustomColours customColours = allWhite();
    bool ended = false;
};

WindowSystem& ws() {
    static WindowSystem w;
    return w;
}

// The runtime takes over the close of its own forms: the close request becomes an event
// (QUERYCLOSE, then END and the close), run by whichever loop is waiting.
void installCloseHook() {
    ws().model.closeHook = [](platform::Handle form) { return !classifyWindow(form).has_value(); };
}

// How long an idle loop sleeps in the backend before it looks again.
constexpr std::chrono::milliseconds idleWait{50};

}  // namespace

platform::Model& model() { return ws().model; }
platform::Backend* backend() { return ws().backend.get(); }
platform::CustomColours& customColours() { return ws().customColours; }
bool hasBackend() { return ws().backend != nullptr; }

platform::HeadlessBackend& startHeadless() {
    auto b = std::make_unique<platform::HeadlessBackend>(ws().model);
    platform::HeadlessBackend& ref = *b;
    ws().script.reset();
    ws().backend = std::move(b);
    installCloseHook();
    return ref;
}

bool startFltk() {
#ifdef QUILL_HAVE_FLTK
    ws().script.reset();
    ws().backend.reset();
    ws().backend = std::make_unique<platform::FltkBackend>(ws().model);
    installCloseHook();
    return true;
#else
    return false;
#endif
}

void resetWindowSystem() {
    WindowSystem& w = ws();
    while (!w.model.forms().empty()) w.model.destroy(w.model.forms().front());
    while (w.model.takeNotification()) {
    }
    if (w.backend) platform::applyChanges(w.model, *w.backend);
    w.model.takeChanges();
    forgetForms();
    clearEvents();
    w.script.reset();
    w.backend.reset();
    w.customColours = allWhite();
    w.ended = false;
}

void pumpWindowSystem(std::chrono::milliseconds timeout) {
    if (ws().backend) ws().backend->pumpEvents(timeout);
    collectNotifications();
}

platform::DialogAnswer runDialog(const platform::DialogRequest& request) {
    platform::DialogAnswer answer = ws().backend->runDialog(request);
    if (!answer.unanswerable) return answer;
    // The stop tells the reason: the script runner must not tell it again after its line.
    if (auto* headless = dynamic_cast<platform::HeadlessBackend*>(ws().backend.get())) headless->takeUnanswered();
    throw ScriptStop(*answer.unanswerable);
}

namespace {

// A scripted run: the script feeds one user action whenever the program waits idle.
void startScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ScriptStop("cannot read the script " + path);
    std::stringstream text;
    text << in.rdbuf();

    platform::HeadlessBackend& headless = startHeadless();
    platform::ScriptHooks hooks;
    // The user's action becomes events; the waiting loop runs them before the next line.
    hooks.step = [] { collectNotifications(); };
    hooks.setClock = [](const platform::ScriptDateTime& t) {
        setFixedClock(DateTime{t.year, t.month, t.day, t.hour, t.minute, t.second});
    };
    hooks.programEnded = [] { return ws().ended; };
    ws().script = std::make_unique<platform::ScriptRunner>(ws().model, headless, hooks, std::cout);
    ws().script->load(text.str());
    headless.idleHook = [] {
        platform::ScriptRunner& runner = *ws().script;
        if (eventsPending()) return true;
        bool ran = false;
        if (auto error = runner.runNextLine(&ran)) throw ScriptStop(error->text());
        if (ran) return true;
        // The script is used up and the program still waits for the user: nobody is left
        // to end it.
        throw ScriptStop("the script ended while the program was still waiting for the user");
    };
    headless.answerHook = [] {
        if (auto error = ws().script->runAnswerLines()) throw ScriptStop(error->text());
    };
}

// The end of a scripted run: nothing may be left of the script.
int finishScript() {
    platform::ScriptRunner* runner = ws().script.get();
    if (!runner) return 0;
    bool ran = false;
    if (auto error = runner->runNextLine(&ran)) {
        std::cerr << error->text() << '\n';
        return 1;
    }
    if (auto error = runner->finish()) {
        std::cerr << error->text() << '\n';
        return 1;
    }
    return 0;
}

// The runtime's own loop after the main program: events until the main window is gone.
void runtimeLoop() {
    while (true) {
        checkMainWindow();
        if (mainWindow() == 0) return;
        checkEnding();
        if (eventsPending()) {
            runPendingEvents();
            continue;
        }
        pumpWindowSystem(idleWait);
    }
}

// The file of the running program, for the fatal error report's module name: the program
// file itself, or the name it was started by when the system does not tell.
std::string programPath(int argc, char** argv) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) return self.string();
    return argc > 0 && argv[0] ? argv[0] : "";
}

// A failure nobody trapped ends the program through the fatal error report, while its
// windows are still there behind the report's message box.
void endThroughFatalReport(int argc, char** argv, const std::exception& failure) {
    const std::string module = moduleNameOf(programPath(argc, argv));
    const FatalError error = describeFailure(module, failure);
    reportFatalError(error, fatalReportPath(module, std::getenv("XDG_STATE_HOME"), std::getenv("HOME")), std::cerr);
}

}  // namespace

int runProgram(int argc, char** argv, void (*mainProgram)()) {
    std::string script;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--headless" && i + 1 < argc) script = argv[++i];

    int status = 0;
    try {
        if (!script.empty()) startScript(script);
        else if (!startFltk()) throw ScriptStop("this build has no real windows; run with --headless SCRIPT");
        // The runtime creates the main form at launch when the program has one.
        if (findResource("MAINFORM")) {
            const CreateFormResult main = createForm("MAINFORM", 0, show::Normal);
            if (main.window == 0) raiseError(main.error);
            addStartForm(main.window);
            setMainWindow(main.window);
            showForm(main.window, main.showCommand);
        }
        mainProgram();
        runtimeLoop();
    } catch (const ProgramEnd& end) {
        status = end.status;
    } catch (const ScriptStop& stop) {
        std::cerr << stop.what() << '\n';
        status = 1;
    } catch (const RuntimeError& e) {
        std::cerr << "run-time error " << e.number() << " (" << errorText(e.number()) << ") at 0x" << std::hex
                  << e.location() << std::dec << '\n';
        endThroughFatalReport(argc, argv, e);
        status = 1;
    } catch (const std::exception& e) {
        std::cerr << "the program failed: " << e.what() << '\n';
        endThroughFatalReport(argc, argv, e);
        status = 1;
    }
    ws().ended = true;
    if (status == 0) status = finishScript();
    resetWindowSystem();
    return status;
}

}  // namespace runtime
