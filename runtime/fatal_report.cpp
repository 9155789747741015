#include "runtime/fatal_report.hpp"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/backend.hpp"
#include "platform/headless/headless_backend.hpp"
#include "runtime/error.hpp"
#include "runtime/events.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"
#include "runtime/window_system.hpp"

namespace runtime {

using namespace literals;

namespace {

// A value of one line: line breaks inside a failure's message become blanks, so that the
// message box keeps its two lines and the report file one value a line.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// The message box's icon and buttons, in the codes of the toolkit's message box.
constexpr int stopIcon = 0;
constexpr int okButton = 0;

}  // namespace

std::string moduleNameOf(std::string_view programPath) {
    std::string_view name = programPath;
    if (const auto slash = name.rfind('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
    if (const auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

FatalError describeFailure(std::string_view moduleUtf8, const std::exception& failure) {
    FatalError error;
    error.module = fromUtf8(moduleUtf8);
    // The programs are native code built without a table of their source lines, so the
    // place of a failure is known only as the error's location code (XADDR). The line is
    // therefore always 0, the value that names no line.
    error.line = 0;
    if (const auto* e = dynamic_cast<const RuntimeError*>(&failure)) {
        error.number = e->number();
        error.location = e->location();
        error.text = std::string(errorText(e->number()));
    } else {
        // This system's own messages are UTF-8, as the C++ library's plain ASCII ones are.
        error.text = oneLine(fromUtf8(failure.what()));
    }
    return error;
}

std::string fatalErrorMessage(const FatalError& error) {
    std::string text = "続行不可能なエラーが発生しました "_sj + error.module + " [" + std::to_string(error.line) +
                       "行]"_sj + "\r\n";
    if (error.number != 0) text += "実行時エラー "_sj + std::to_string(error.number) + " (" + error.text + ")";
    else text += error.text;
    return text;
}

std::string fatalReportText(const FatalError& error) {
    char address[16];
    std::snprintf(address, sizeof address, "0x%08X", static_cast<unsigned>(error.location));
    std::string text;
    text += "XMODL=" + error.module + "\n";
    text += "XLINE=" + std::to_string(error.line) + "\n";
    text += "XMODE=" + oneLine(error.text) + "\n";
    text += "XRTL=" + std::string(runtimeLibraryName) + "\n";
    text += "XADDR=" + std::string(address) + "\n";
    text += "XCODE=" + std::to_string(error.number) + "\n";
    return text;
}

std::string fatalReportPath(std::string_view moduleUtf8, const char* stateHome, const char* home) {
    std::string base;
    if (stateHome && stateHome[0] == '/') base = stateHome;
    else if (home && home[0] != '\0') base = std::string(home) + "/.local/state";
    else return {};
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (base == "/") base.clear();
    return base + "/" + std::string(moduleUtf8) + "/fatal-error.txt";
}

void reportFatalError(const FatalError& error, const std::string& reportPath, std::ostream& log) {
    if (platform::Backend* shown = backend()) {
        platform::DialogRequest request;
        request.kind = platform::DialogRequest::MessageBox;
        request.owner = 0;  // no window owns it: it stops every window of the program
        const platform::Handle main = mainWindow();
        const platform::Window* w = main != 0 ? model().find(main) : nullptr;
        request.caption = w ? w->text : error.module;
        request.text = fatalErrorMessage(error);
        request.buttons = okButton;
        request.icon = stopIcon;
        platform::DialogAnswer answer;
        try {
            answer = shown->runDialog(request);
        } catch (const std::exception& e) {
            // The user could not be asked; the report is still kept.
            log << "the fatal error report could not be shown: " << e.what() << '\n';
        } catch (...) {
            log << "the fatal error report could not be shown\n";
        }
        if (answer.unanswerable) {
            // Told here, once: the script runner does not tell it again after its line.
            log << *answer.unanswerable << '\n';
            if (auto* headless = dynamic_cast<platform::HeadlessBackend*>(shown)) headless->takeUnanswered();
            return;
        }
    }
    if (reportPath.empty()) return;
    try {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(reportPath).parent_path(), ignored);
        writeFileSafely(reportPath, fatalReportText(error));
    } catch (...) {
        // The report is a courtesy: a program that is already failing does not fail again
        // because its report could not be kept.
    }
}

}  // namespace runtime
