#pragma once
// The backend without a screen. Nothing is drawn; the model's state is all there is.
// Dialogs are answered from a queue that a script fills ahead of time. A dialog nobody
// answered, or given an answer no user could have given it, comes back unanswerable with
// the reason, which is also remembered, so that a scripted run can stop there and say so.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend.hpp"

namespace platform {

class HeadlessBackend : public Backend {
public:
    explicit HeadlessBackend(Model& model) : model_(model) {}

    // Called by pumpEvents when nothing is waiting: a script feeds the next user action
    // here. Returns false when it has nothing more to give.
    std::function<bool()> idleHook;
    // Called when a dialog finds no prepared answer: a script reads the answers that
    // stand next in it, for a dialog the program asks before it first waits.
    std::function<void()> answerHook;

    void createWindow(Handle) override {}
    void destroyWindow(Handle) override {}
    void sync(Handle) override {}
    void pumpEvents(std::chrono::milliseconds timeout) override;
    std::string clipboardText() override { return clipboard_; }
    void setClipboardText(const std::string& cp932) override { clipboard_ = cp932; }
    DialogAnswer runDialog(const DialogRequest& request) override;
    // Without fonts every face is measured as the fixed-pitch one: a single-byte character
    // is half the pixel size wide, a double-byte one the whole pixel size.
    Size textExtent(const Font& font, const std::string& cp932) override;

    // What the dialog taking an answer must show (CP932; empty: not checked). A line
    // break of the expected text matches CR LF or LF.
    struct Expected {
        std::string caption, text;
    };
    // A prepared answer for the next dialog of this kind; `line` names its script line.
    void queueAnswer(DialogRequest::Kind kind, DialogAnswer answer, int line, Expected shown = {});
    // The first dialog since the last call that came back unanswerable (no answer, other
    // texts than its answer expected, an answer it does not take), as a sentence.
    std::optional<std::string> takeUnanswered();
    // The script line of the first prepared answer no dialog took, or 0.
    int firstUnusedAnswerLine() const { return answers_.empty() ? 0 : answers_.front().line; }
    const char* firstUnusedAnswerKind() const { return answers_.empty() ? "" : answers_.front().kind; }
    // The dialogs asked for so far, answered or not, in order.
    const std::vector<DialogRequest>& dialogsAsked() const { return asked_; }

private:
    struct Queued {
        const char* kind;
        DialogAnswer answer;
        int line;
        Expected shown;
    };
    // Why the dialog is not the one its answer was given for, if it is not.
    static std::optional<std::string> shownOtherwise(const DialogRequest& request, const Expected& shown, int line);

    Model& model_;
    std::string clipboard_;
    std::deque<Queued> answers_;
    std::optional<std::string> unanswered_;
    std::vector<DialogRequest> asked_;
};

}  // namespace platform
