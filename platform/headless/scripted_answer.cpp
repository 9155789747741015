#include "platform/headless/scripted_answer.hpp"

#include <sys/stat.h>

#include <algorithm>

#include "platform/cp932.hpp"
#include "platform/cp932_bytes.hpp"
#include "platform/file_path.hpp"

namespace platform {

namespace {

std::string quoted(const std::string& cp932) { return "\"" + cp932ToUtf8(cp932) + "\""; }

bool isFolder(const std::string& cp932) {
    struct stat st {};
    return ::stat(cp932ToUtf8(cp932).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string& cp932) {
    struct stat st {};
    return ::stat(cp932ToUtf8(cp932).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::optional<std::string> messageBoxRefusal(const DialogRequest& request, const DialogAnswer& answer) {
    const std::vector<int> shown = messageBoxResults(request.buttons);
    if (std::ranges::find(shown, answer.result) != shown.end()) return std::nullopt;
    return "the message box " + quoted(request.caption) + " has no button " + std::to_string(answer.result);
}

std::optional<std::string> fontRefusal(const DialogRequest& request, const DialogAnswer& answer) {
    if (std::ranges::none_of(request.faces, [&](const std::string& f) { return sameIgnoringCase(f, answer.font.face); }))
        return "the font dialog offers no face " + quoted(answer.font.face);
    if (answer.font.size < 1 || answer.font.size > mostFontPoints)
        return "the font dialog takes no size " + std::to_string(answer.font.size);
    return std::nullopt;
}

std::optional<std::string> fileRefusal(const DialogRequest& request, DialogAnswer& answer) {
    answer.text = absolutePath(answer.text, request.folder);
    const std::string& path = answer.text;
    const auto slash = path.rfind('/');
    const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    std::string refused;
    if (!isFolder(folder)) refused = "its folder does not exist";
    else if (request.kind == DialogRequest::OpenFile && request.mode == 0 && !isFile(path))
        refused = "the file does not exist";
    if (refused.empty()) return std::nullopt;
    return "the file dialog " + quoted(request.caption) + " cannot choose " + cp932ToUtf8(path) + ": " + refused;
}

}  // namespace

std::optional<std::string> takeScriptedAnswer(const DialogRequest& request, DialogAnswer& answer) {
    switch (request.kind) {
    case DialogRequest::MessageBox: return messageBoxRefusal(request, answer);
    case DialogRequest::ChooseFont: return answer.cancelled ? std::nullopt : fontRefusal(request, answer);
    case DialogRequest::OpenFile:
    case DialogRequest::SaveFile: return answer.cancelled ? std::nullopt : fileRefusal(request, answer);
    case DialogRequest::InputBox:
    case DialogRequest::ChooseColor: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace platform
