// The open and save dialogs: PX$WINOPENDLG and PX$WINSAVEDLG. They start in the folder
// and with the file name of the initial path, list the program's filter (the first entry
// chosen), and return the chosen path or, when the user cancels, the character 27.

#include <filesystem>

#include "runtime/pv_string.hpp"
#include "runtime/sjis.hpp"
#include "toolkit/checks.hpp"
#include "toolkit/dialog_run.hpp"
#include "toolkit/file_dialog_rules.hpp"

using namespace toolkit;

namespace {

std::string currentFolder() {
    std::error_code ec;
    const auto here = std::filesystem::current_path(ec);
    return ec ? std::string("/") : runtime::fromUtf8(here.generic_string());
}

const PvString* fileDialog(platform::DialogRequest::Kind kind, std::uint32_t operation, ObjectVar* owner,
                           const PvString* title, const PvString* initialPath, const PvString* filter,
                           std::int16_t mode) {
    platform::DialogRequest request;
    request.kind = kind;
    request.owner = checkedOwnerForm(owner, operation, runtime::err::ObjectInvalid);
    request.caption = checkedText(title, 64, operation, 5);
    request.initial = checkedText(initialPath, 260, operation, 6);
    request.filter = checkedText(filter, 511, operation, 7);
    if (mode != 0 && mode != 1) fail(runtime::err::IllegalArgument, operation, 8);
    request.mode = mode;
    auto pairs = parseFilter(request.filter);
    if (!pairs) fail(runtime::err::IllegalArgument, operation, 9);
    request.filters = std::move(*pairs);
    const StartPlace start = startPlace(request.initial, currentFolder());
    request.folder = start.folder;
    request.fileName = start.file;

    const platform::DialogAnswer answer = runDialog(request, operation);
    if (answer.cancelled) return runtime::returnString(std::string(1, cancelMarker));
    return runtime::returnString(answer.text);
}

}  // namespace

extern "C" const PvString* PX$WINOPENDLG(ObjectVar* owner, const PvString* title, const PvString* initialPath,
                                         const PvString* filter, std::int16_t mode) {
    return fileDialog(platform::DialogRequest::OpenFile, op::WinOpenDlg, owner, title, initialPath, filter, mode);
}

extern "C" const PvString* PX$WINSAVEDLG(ObjectVar* owner, const PvString* title, const PvString* initialPath,
                                         const PvString* filter, std::int16_t mode) {
    return fileDialog(platform::DialogRequest::SaveFile, op::WinSaveDlg, owner, title, initialPath, filter, mode);
}
