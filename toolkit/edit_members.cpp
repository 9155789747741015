// Edits and the edit part of a combo box: lines, the selection, replacing it, the limit,
// the modified and read-only flags, and the clipboard commands. Lines count from 1 and
// end with CR LF in a multi-line edit; positions count bytes.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/model.hpp"
#include "runtime/pv_string.hpp"
#include "toolkit/checks.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace {

constexpr Kinds editKinds = {kind::Edit, kind::ComboBox, kind::TextWindow};

// The edit part of a control; a drop-down-list combo box has none (1002).
Target editTarget(const ObjectVar* object, std::uint32_t operation, Kinds kinds = editKinds) {
    const Target t = checkedTarget(object, operation, kinds);
    if (t.record.kind == kind::ComboBox && !t.window->hasEditText())
        fail(runtime::err::WrongObjectKind, operation, 3);
    return t;
}

Target plainEdit(const ObjectVar* object, std::uint32_t operation) {
    return checkedTarget(object, operation, {kind::Edit});
}

std::vector<std::string_view> linesOf(const platform::Window& w) {
    std::vector<std::string_view> lines;
    std::string_view rest = w.text;
    if (!w.edit.multiLine) return {rest};
    while (true) {
        const auto end = rest.find("\r\n");
        lines.push_back(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 2);
    }
    return lines;
}

platform::Backend& clipboardOwner(std::uint32_t operation) {
    platform::Backend* b = runtime::backend();
    if (!b) fail(runtime::err::SystemFailure, operation, 5);
    return *b;
}

// Removes the selection as the user's editing does: the old text can be undone and the
// edit counts as modified. A read-only edit keeps its text.
void removeSelection(const Target& t) {
    if (t.window->edit.readOnly || t.window->edit.selStart == t.window->edit.selEnd) return;
    platform::Model& m = runtime::model();
    m.replaceSelection(t.handle, {});
    m.change(t.handle)->edit.modified = true;
}

}  // namespace

extern "C" std::int32_t PX$GETLINECOUNT(ObjectVar* object) {
    return static_cast<std::int32_t>(linesOf(*plainEdit(object, op::GetLineCount).window).size());
}

extern "C" const PvString* PX$GETLINE(ObjectVar* object, std::int32_t line) {
    const Target t = plainEdit(object, op::GetLine);
    if (line < 1) fail(runtime::err::IllegalArgument, op::GetLine, 5);
    const auto lines = linesOf(*t.window);
    if (static_cast<std::size_t>(line) > lines.size()) return runtime::returnString({});
    return runtime::returnString(std::string(lines[static_cast<std::size_t>(line) - 1]));
}

extern "C" std::int32_t PX$GETFIRSTVISIBLELINE(ObjectVar* object) {
    return plainEdit(object, op::GetFirstVisibleLine).window->edit.firstVisibleLine;
}

extern "C" void PX$LINESCROLL(ObjectVar* object, std::int32_t columns, std::int32_t lines) {
    // Columns count bytes, one for each half-width cell; a single-line edit does not scroll.
    runtime::model().scrollText(plainEdit(object, op::LineScroll).handle, columns, lines);
}

extern "C" void PX$SETSELTEXT(ObjectVar* object, std::int32_t start, std::int32_t end, std::int16_t scroll) {
    const Target t = editTarget(object, op::SetSelText, {kind::Edit, kind::ComboBox});
    if (start < -1) fail(runtime::err::IllegalArgument, op::SetSelText, 5);
    if (end < -1) fail(runtime::err::IllegalArgument, op::SetSelText, 6);
    static_cast<void>(scroll);  // the caret is always kept in view
    platform::Model& m = runtime::model();
    const std::size_t size = t.window->text.size();
    if (start == -1) {
        // No selection: the caret stays where the selection ended.
        const std::size_t caret = t.window->edit.selEnd;
        m.setSelection(t.handle, caret, caret);
        return;
    }
    const std::size_t to = end == -1 ? size : static_cast<std::size_t>(end);
    m.setSelection(t.handle, static_cast<std::size_t>(start), to);
}

extern "C" std::int32_t PX$GETSELTEXTSTART(ObjectVar* object) {
    return static_cast<std::int32_t>(editTarget(object, op::GetSelTextStart, {kind::Edit, kind::ComboBox}).window->edit.selStart);
}

extern "C" std::int32_t PX$GETSELTEXTEND(ObjectVar* object) {
    return static_cast<std::int32_t>(editTarget(object, op::GetSelTextEnd, {kind::Edit, kind::ComboBox}).window->edit.selEnd);
}

extern "C" const PvString* PX$GETSELTEXT(ObjectVar* object) {
    const Target t = editTarget(object, op::GetSelText, {kind::Edit, kind::ComboBox});
    return runtime::returnString(runtime::model().selectedText(t.handle));
}

extern "C" void PX$REPLACESEL(ObjectVar* object, const PvString* text) {
    const Target t = editTarget(object, op::ReplaceSel, {kind::Edit, kind::ComboBox});
    platform::Model& m = runtime::model();
    m.replaceSelection(t.handle, runtime::view(text));
    m.change(t.handle)->edit.modified = true;
}

extern "C" void PX$SETLIMITTEXT(ObjectVar* object, std::int32_t length) {
    const Target t = editTarget(object, op::SetLimitText, {kind::Edit, kind::ComboBox});
    if (length < 0) fail(runtime::err::IllegalArgument, op::SetLimitText, 5);
    // 0 lifts the limit to the largest the window system allows.
    runtime::model().change(t.handle)->edit.limit = length == 0 ? 0x7FFFFFFE : static_cast<std::size_t>(length);
}

extern "C" std::int16_t PX$GETMODIFY(ObjectVar* object) {
    return plainEdit(object, op::GetModify).window->edit.modified ? True : False;
}

extern "C" void PX$SETMODIFY(ObjectVar* object, std::int16_t flag) {
    const Target t = plainEdit(object, op::SetModify);
    runtime::model().change(t.handle)->edit.modified = checkedFlag(flag, op::SetModify, 5);
}

extern "C" void PX$SETREADONLY(ObjectVar* object, std::int16_t flag) {
    const Target t = plainEdit(object, op::SetReadOnly);
    runtime::model().change(t.handle)->edit.readOnly = checkedFlag(flag, op::SetReadOnly, 5);
}

extern "C" void PX$CUT(ObjectVar* object) {
    const Target t = editTarget(object, op::Cut);
    if (t.window->edit.readOnly) return;
    const std::string selected = runtime::model().selectedText(t.handle);
    if (selected.empty()) return;
    clipboardOwner(op::Cut).setClipboardText(selected);
    removeSelection(t);
}

extern "C" void PX$COPY(ObjectVar* object) {
    const Target t = editTarget(object, op::Copy, {kind::Edit, kind::ComboBox, kind::TextWindow, kind::Form, kind::PictureBox});
    // A form or picture box has no text to copy: the request passes without effect.
    if (!t.window->hasEditText()) return;
    const std::string selected = runtime::model().selectedText(t.handle);
    if (!selected.empty()) clipboardOwner(op::Copy).setClipboardText(selected);
}

extern "C" void PX$CLEAR(ObjectVar* object) { removeSelection(editTarget(object, op::Clear)); }

extern "C" void PX$UNDO(ObjectVar* object) {
    const Target t = editTarget(object, op::Undo);
    if (runtime::model().undo(t.handle)) runtime::model().change(t.handle)->edit.modified = true;
}

extern "C" std::int16_t PX$CANUNDO(ObjectVar* object) {
    return editTarget(object, op::CanUndo).window->edit.canUndo ? True : False;
}

extern "C" void PX$PASTE(ObjectVar* object) {
    // Only the runtime's text windows take a paste through this operation.
    const Target t = checkedTarget(object, op::Paste, {kind::TextWindow});
    const std::string text = clipboardOwner(op::Paste).clipboardText();
    if (t.window->edit.readOnly || text.empty()) return;
    runtime::model().replaceSelection(t.handle, text);
}

extern "C" std::int16_t PX$CANPASTE(ObjectVar* object) {
    checkedTarget(object, op::CanPaste, editKinds);
    return clipboardOwner(op::CanPaste).clipboardText().empty() ? False : True;
}

// --- the clipboard ----------------------------------------------------------------------

extern "C" void PV$SETCBTEXT(const PvString* text) {
    clipboardOwner(op::SetCbText).setClipboardText(std::string(runtime::view(text)));
}

extern "C" const PvString* PV$GETCBTEXT() { return runtime::returnString(clipboardOwner(op::GetCbText).clipboardText()); }

extern "C" std::int16_t PV$CHECKCBTEXT() { return clipboardOwner(op::CheckCbText).clipboardText().empty() ? False : True; }

extern "C" void PV$CLEARCB() { clipboardOwner(op::ClearCb).setClipboardText({}); }
