// The standard dialogs: the message box, the input box, the colour chooser, the font
// dialog and the printer dialog. Each is modal to its owner's form (the form takes no
// input while the dialog is up) and returns the user's answer directly. Who answers is
// the runtime's window system's business (runtime::runDialog): here answers only become
// results.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/backend.hpp"
#include "platform/cp932_bytes.hpp"
#include "runtime/pv_string.hpp"
#include "runtime/events.hpp"
#include "runtime/sjis.hpp"
#include "runtime/window_system.hpp"
#include "toolkit/checks.hpp"
#include "toolkit/dialog_run.hpp"
#include "toolkit/fonts.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace toolkit {

namespace {

// The owner's form is disabled while the dialog runs and given back however it ends.
class ModalToOwner {
public:
    explicit ModalToOwner(platform::Handle form) : form_(form) {
        platform::Model& m = runtime::model();
        const platform::Window* w = m.find(form_);
        wasEnabled_ = w && w->enabled;
        if (wasEnabled_) m.setEnabled(form_, false);
    }
    ~ModalToOwner() {
        platform::Model& m = runtime::model();
        if (!wasEnabled_ || !m.exists(form_)) return;
        m.setEnabled(form_, true);
        m.setFocus(form_);
    }
    ModalToOwner(const ModalToOwner&) = delete;
    ModalToOwner& operator=(const ModalToOwner&) = delete;

private:
    platform::Handle form_;
    bool wasEnabled_ = false;
};

}  // namespace

platform::DialogAnswer runDialog(const platform::DialogRequest& request, std::uint32_t operation) {
    if (!runtime::backend()) fail(runtime::err::SystemFailure, operation, 20);
    const ModalToOwner modal(request.owner);
    return runtime::runDialog(request);
}

std::string checkedText(const PvString* text, std::size_t most, std::uint32_t operation, std::uint32_t check) {
    const std::string_view t = runtime::view(text);
    if (t.size() > most) fail(runtime::err::IllegalArgument, operation, check);
    return std::string(t);
}

platform::Handle checkedOwnerForm(const ObjectVar* owner, std::uint32_t operation, int emptyError) {
    if (owner == nullptr || *owner == 0) fail(emptyError, operation, 1);
    return checkedTarget(owner, operation, {kind::Form}).handle;
}

}  // namespace toolkit

namespace {

std::int16_t messageBox(ObjectVar* owner, const PvString* caption, const PvString* text, std::int16_t buttons,
                        std::int16_t icon) {
    platform::Handle form = 0;
    if (owner == nullptr) {
        form = runtime::mainWindow();
        if (!form || !runtime::model().exists(form)) fail(runtime::err::ObjectInvalid, op::MessageBox, 1);
    } else {
        form = runtime::model().formOf(checkedTarget(owner, op::MessageBox, {anyWindow}).handle);
    }
    if (buttons < 0 || buttons > 5) fail(runtime::err::IllegalArgument, op::MessageBox, 5);
    if (icon < 0 || icon > 4) fail(runtime::err::IllegalArgument, op::MessageBox, 6);
    platform::DialogRequest request;
    request.kind = platform::DialogRequest::MessageBox;
    request.owner = form;
    request.caption = std::string(runtime::view(caption));
    request.text = std::string(runtime::view(text));
    request.buttons = buttons;
    request.icon = icon;
    return static_cast<std::int16_t>(runDialog(request, op::MessageBox).result);
}

// The text the input box can hold: at most 64 bytes, never half a double-byte character.
std::string fitInputBox(std::string text) {
    text.resize(platform::fitBytes(text, 64));
    return text;
}

const PvString* inputBox(ObjectVar* owner, const PvString* title, const PvString* prompt, const PvString* initial) {
    const platform::Handle form = checkedOwnerForm(owner, op::InputBox, runtime::err::WrongObjectKind);
    platform::DialogRequest request;
    request.kind = platform::DialogRequest::InputBox;
    request.owner = form;
    request.caption = checkedText(title, 64, op::InputBox, 5);
    request.text = checkedText(prompt, 64, op::InputBox, 6);
    request.initial = checkedText(initial, 64, op::InputBox, 7);
    const platform::DialogAnswer answer = runDialog(request, op::InputBox);
    if (answer.cancelled) return runtime::returnString(std::string(1, cancelMarker));
    return runtime::returnString(fitInputBox(answer.text));
}

}  // namespace

extern "C" std::int16_t PX$MESSAGEBOX(ObjectVar* owner, const PvString* caption, const PvString* text,
                                      std::int16_t buttons, std::int16_t icon) {
    return messageBox(owner, caption, text, buttons, icon);
}

extern "C" std::int16_t PX$WINMSGB(ObjectVar* owner, const PvString* caption, const PvString* text,
                                   std::int16_t buttons, std::int16_t icon) {
    return messageBox(owner, caption, text, buttons, icon);
}

extern "C" const PvString* PX$INPUTBOX(ObjectVar* owner, const PvString* title, const PvString* prompt,
                                       const PvString* initial) {
    return inputBox(owner, title, prompt, initial);
}

extern "C" const PvString* PX$WINDLGT(ObjectVar* owner, const PvString* title, const PvString* prompt,
                                      const PvString* initial) {
    return inputBox(owner, title, prompt, initial);
}

// The colour chooser starts at black; the chosen colour goes into the variable as
// 0x00BBGGRR. It offers the runtime's custom colours and keeps what the user stored in
// them even when the choice is then cancelled: storing a custom colour is an act of its
// own, done with its own button before the dialog closes either way.
extern "C" std::int16_t PX$CHOOSECOLOR(ObjectVar* owner, std::uint32_t* colour) {
    const Target t = checkedTarget(owner, op::ChooseColor, {anyWindow}, {.nullError = runtime::err::ObjectInvalid});
    if (colour == nullptr) fail(runtime::err::IllegalArgument, op::ChooseColor, 5);
    platform::DialogRequest request;
    request.kind = platform::DialogRequest::ChooseColor;
    request.owner = runtime::model().formOf(t.handle);
    request.colour = 0x000000;
    request.customColours = runtime::customColours();
    const platform::DialogAnswer answer = runDialog(request, op::ChooseColor);
    if (answer.customColours)
        for (std::size_t i = 0; i < platform::customColourCount; ++i)
            runtime::customColours()[i] = (*answer.customColours)[i] & 0x00FFFFFFu;
    if (answer.cancelled) return False;
    *colour = static_cast<std::uint32_t>(answer.result) & 0x00FFFFFFu;
    return True;
}

namespace {

// The font a record offers the font dialog first. A part the program left empty (no face,
// size 0, as in a record it has not filled yet) is taken from the owner's font.
platform::Font initialFont(const FontRecord& record, const platform::Font& ownerFont) {
    platform::Font font = ownerFont;
    const std::string face = faceOf(record);
    if (face.size() > mostFaceBytes) fail(runtime::err::IllegalArgument, op::ChooseFont, 6);
    if (!face.empty()) font.face = face;
    if (!std::isfinite(record.size) || record.size < 0 || record.size > static_cast<float>(platform::mostFontPoints))
        fail(runtime::err::IllegalArgument, op::ChooseFont, 7);
    if (const int points = static_cast<int>(std::lround(record.size)); points > 0) font.size = points;
    font.size = std::clamp(std::abs(font.size), 1, platform::mostFontPoints);
    const auto flag = [](std::int16_t v) { return checkedFlag(v, op::ChooseFont, 8); };
    font.bold = flag(record.bold);
    font.italic = flag(record.italic);
    font.underline = flag(record.underline);
    font.strikeout = flag(record.strikeout);
    return font;
}

// The faces the dialog offers: the font families, and the initial face among them even
// when no family has that name, so that OK without a change gives back what came in.
std::vector<std::string> offeredFaces(const std::string& initial) {
    platform::Backend* backend = runtime::backend();
    if (!backend) fail(runtime::err::SystemFailure, op::ChooseFont, 20);
    std::vector<std::string> faces = fontNames(*backend);
    if (std::ranges::none_of(faces, [&](const std::string& f) { return platform::sameIgnoringCase(f, initial); }))
        faces.insert(faces.begin(), initial);
    return faces;
}

}  // namespace

// The font dialog starts at the record's font and writes the chosen one back into it (the
// face padded with spaces); a cancel leaves the record as it was.
extern "C" std::int16_t PX$CHOOSEFONT(ObjectVar* owner, FontRecord* font) {
    const Target t = checkedTarget(owner, op::ChooseFont, {anyWindow}, {.nullError = runtime::err::ObjectInvalid});
    if (font == nullptr) fail(runtime::err::IllegalArgument, op::ChooseFont, 5);
    platform::DialogRequest request;
    request.kind = platform::DialogRequest::ChooseFont;
    request.owner = runtime::model().formOf(t.handle);
    request.font = initialFont(*font, t.window->font);
    request.faces = offeredFaces(request.font.face);
    const platform::DialogAnswer answer = runDialog(request, op::ChooseFont);
    if (answer.cancelled) return False;
    // The dialog chooses among the faces it offers: the record takes the face as offered.
    const auto offered = std::ranges::find_if(request.faces, [&](const std::string& f) {
        return platform::sameIgnoringCase(f, answer.font.face);
    });
    font->size = static_cast<float>(answer.font.size);
    font->bold = answer.font.bold ? True : False;
    font->italic = answer.font.italic ? True : False;
    font->underline = answer.font.underline ? True : False;
    font->strikeout = answer.font.strikeout ? True : False;
    putFace(*font, offered != request.faces.end() ? *offered : answer.font.face);
    return True;
}

// This system prints through no spooler: the printer dialog cannot open, which the
// program sees as a cancel (0), after the owner was checked as for every dialog.
extern "C" std::int16_t PX$PRINTDLG(ObjectVar* owner) {
    checkedTarget(owner, op::PrintDlg, {anyWindow}, {.nullError = runtime::err::ObjectInvalid});
    return False;
}
