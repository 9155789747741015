#pragma once
// The fatal error report: how a program ends when a run-time error (or any other failure)
// reached the top without being trapped. The user is told in a message box that stops
// everything else, then the report values are kept in a small text file for whoever looks
// into the failure later:
//
//     $XDG_STATE_HOME/<module>/fatal-error.txt    ($HOME/.local/state when unset)
//
//     XMODL=<module name>
//     XLINE=<line>
//     XMODE=<the failure's short text>
//     XRTL=PLV0RN63
//     XADDR=0x<location code, eight hex digits>
//     XCODE=<run-time error number; 0 for a failure that is not one>
//
// The file is CP932 like every text the runtime writes, one value a line, lines ended by LF.

#include <cstdint>
#include <exception>
#include <ostream>
#include <string>
#include <string_view>

namespace runtime {

// What the report says about one failure.
struct FatalError {
    std::string module;          // CP932: the program's file name without its extension
    unsigned line = 0;           // see describeFailure
    int number = 0;              // the run-time error number; 0 for a failure of another kind
    std::uint32_t location = 0;  // the error's location code
    std::string text;            // CP932, one line: the error's short text or the failure's message
};

// The runtime library's name, the report's XRTL value.
inline constexpr std::string_view runtimeLibraryName = "PLV0RN63";

// The module name of a program file (UTF-8 path in, UTF-8 name out): the file name without
// its folder and without its extension. "/opt/quill/QUILLON" -> "QUILLON", "prog.exe" ->
// "prog"; a leading dot does not start an extension (".hidden" stays as it is).
std::string moduleNameOf(std::string_view programPath);

// The report of `failure` in the module `moduleUtf8`. A RuntimeError gives its number,
// location code and short text; any other exception gives number 0, location 0 and its
// message.
FatalError describeFailure(std::string_view moduleUtf8, const std::exception& failure);

// The message box's text (CP932): the fixed sentence with the module and the line, CR LF,
// then one line naming the error.
std::string fatalErrorMessage(const FatalError& error);

// The report file's contents (CP932).
std::string fatalReportText(const FatalError& error);

// Where the report of module `moduleUtf8` goes, from the values of XDG_STATE_HOME and HOME
// (either may be null). A relative XDG_STATE_HOME is not used, as the base-directory rules
// say. Empty when neither gives a folder.
std::string fatalReportPath(std::string_view moduleUtf8, const char* stateHome, const char* home);

// Ends the run's failure through the report: shows the message box (system-modal: owned by
// no window; captioned with the main window's current caption, or the module name when
// there is none) and, once the user has answered it, writes the report file at
// `reportPath` (its folders are created; an empty path writes nothing). Nothing here fails
// a second time: a file that cannot be written is left unwritten. A scripted run whose
// script has no answer for the box stops at the box: the reason goes to `log` and no file
// is written. Without a backend there is no box, and the file is written at once.
void reportFatalError(const FatalError& error, const std::string& reportPath, std::ostream& log);

}  // namespace runtime
