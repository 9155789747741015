#include "platform/headless/headless_backend.hpp"

#include <thread>
#include <utility>

#include "platform/cp932.hpp"
#include "platform/headless/scripted_answer.hpp"

namespace platform {

void HeadlessBackend::pumpEvents(std::chrono::milliseconds timeout) {
    model_.takeChanges();
    model_.fireDueTimers(Clock::now());
    if (model_.hasNotifications()) return;
    if (idleHook && idleHook()) return;
    // Nothing to do: sleep until the next timer or the timeout, whichever comes first.
    auto until = Clock::now() + timeout;
    if (auto next = model_.nextTimerDue(); next && *next < until) until = *next;
    std::this_thread::sleep_until(until);
    model_.fireDueTimers(Clock::now());
}

DialogAnswer HeadlessBackend::runDialog(const DialogRequest& request) {
    asked_.push_back(request);
    const char* kind = dialogWord(request.kind);
    if (answers_.empty() && answerHook) answerHook();
    DialogAnswer answer;
    if (!answers_.empty() && std::string_view(answers_.front().kind) == kind) {
        Queued q = std::move(answers_.front());
        answers_.pop_front();
        answer = std::move(q.answer);
        answer.unanswerable = shownOtherwise(request, q.shown, q.line);
        if (!answer.unanswerable) answer.unanswerable = takeScriptedAnswer(request, answer);
    } else {
        std::string what = std::string("the ") + (request.kind == DialogRequest::MessageBox ? "message box"
                                                  : request.kind == DialogRequest::InputBox ? "input box"
                                                  : request.kind == DialogRequest::ChooseColor ? "colour chooser"
                                                  : request.kind == DialogRequest::ChooseFont  ? "font dialog"
                                                                                            : "file dialog");
        what += " \"" + cp932ToUtf8(request.caption) + "\" was not answered";
        if (!answers_.empty()) what += std::string(" (the next answer is for a ") + answers_.front().kind + ")";
        else what += std::string(" (no 'answer ") + kind + "' before it)";
        answer.unanswerable = std::move(what);
    }
    if (answer.unanswerable && !unanswered_) unanswered_ = answer.unanswerable;
    return answer;
}

Size HeadlessBackend::textExtent(const Font& font, const std::string& cp932) {
    const int px = fontPixelSize(font.size);
    return {static_cast<int>(cp932.size()) * px / 2, px};
}

void HeadlessBackend::queueAnswer(DialogRequest::Kind kind, DialogAnswer answer, int line, Expected shown) {
    answers_.push_back({dialogWord(kind), std::move(answer), line, std::move(shown)});
}

namespace {
std::string withPlainLineBreaks(std::string text) {
    for (std::size_t p; (p = text.find("\r\n")) != std::string::npos;) text.erase(p, 1);
    return text;
}
}  // namespace

std::optional<std::string> HeadlessBackend::shownOtherwise(const DialogRequest& request, const Expected& shown,
                                                           int line) {
    std::string what;
    if (!shown.caption.empty() && request.caption != shown.caption)
        what = "the dialog's caption is \"" + cp932ToUtf8(request.caption) + "\", expected \"" +
               cp932ToUtf8(shown.caption) + "\"";
    else if (!shown.text.empty() && withPlainLineBreaks(request.text) != withPlainLineBreaks(shown.text))
        what = "the dialog \"" + cp932ToUtf8(request.caption) + "\" says \"" + cp932ToUtf8(request.text) +
               "\", expected \"" + cp932ToUtf8(shown.text) + "\"";
    if (what.empty()) return std::nullopt;
    return what + " (answered on line " + std::to_string(line) + ")";
}

std::optional<std::string> HeadlessBackend::takeUnanswered() { return std::exchange(unanswered_, std::nullopt); }

}  // namespace platform
