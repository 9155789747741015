// List and combo boxes: items, the current selection, the first visible item, and the
// selected items of a multiple-selection list. Indexes count from 0; -1 means none. A
// list-box operation that fails raises 1016, a combo-box one 1017.

#include <algorithm>
#include <string_view>

#include "platform/cp932_bytes.hpp"
#include "platform/model.hpp"
#include "runtime/pv_string.hpp"
#include "toolkit/checks.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace {

constexpr Kinds listKinds = {kind::ListBox, kind::ComboBox};

// Most items a list or combo box holds; adding one more is error 4.
constexpr std::size_t maxItems = 32767;

[[noreturn]] void listFailed(const Target& t, std::uint32_t operation, std::uint32_t check) {
    fail(t.record.kind == kind::ComboBox ? runtime::err::ComboFailed : runtime::err::ListFailed, operation, check);
}

int itemCount(const Target& t) { return static_cast<int>(t.window->list.items.size()); }

}  // namespace

extern "C" void PX$ADDSTRING(ObjectVar* object, const PvString* text) {
    const Target t = checkedTarget(object, op::AddString, listKinds);
    if (t.window->list.items.size() >= maxItems) fail(runtime::err::NoRoomForItem, op::AddString, 5);
    runtime::model().addItem(t.handle, std::string(runtime::view(text)));
}

extern "C" void PX$INSERTSTRING(ObjectVar* object, std::int32_t index, const PvString* text) {
    const Target t = checkedTarget(object, op::InsertString, listKinds);
    if (t.window->list.items.size() >= maxItems) fail(runtime::err::NoRoomForItem, op::InsertString, 5);
    // -1 appends, as the window system's insert does.
    if (!runtime::model().insertItem(t.handle, index, std::string(runtime::view(text))))
        listFailed(t, op::InsertString, 6);
}

extern "C" void PX$DELETESTRING(ObjectVar* object, std::int32_t index) {
    const Target t = checkedTarget(object, op::DeleteString, listKinds);
    if (!runtime::model().deleteItem(t.handle, index)) listFailed(t, op::DeleteString, 5);
}

extern "C" void PX$RESETCONTENT(ObjectVar* object) {
    const Target t = checkedTarget(object, op::ResetContent, listKinds);
    runtime::model().clearItems(t.handle);
}

extern "C" std::int32_t PX$GETCOUNT(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetCount, listKinds, {.nullError = runtime::err::ObjectInvalid});
    return itemCount(t);
}

extern "C" std::int32_t PX$GETCURSEL(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetCurSel, listKinds);
    return t.window->list.selected;
}

extern "C" void PX$SETCURSEL(ObjectVar* object, std::int32_t index) {
    const Target t = checkedTarget(object, op::SetCurSel, listKinds, {.kindError = runtime::err::SystemFailure});
    platform::Model& m = runtime::model();
    if (index == -1) {
        // Clearing never fails, on a multiple-selection list too.
        if (t.window->multipleSelection()) m.setMarked(t.handle, -1, false);
        else m.select(t.handle, -1);
        return;
    }
    if (!m.select(t.handle, index)) listFailed(t, op::SetCurSel, 5);
}

extern "C" const PvString* PX$GETTEXT(ObjectVar* object, std::int32_t index) {
    const Target t = checkedTarget(object, op::GetText, listKinds);
    if (index < 0 || index >= itemCount(t)) return runtime::returnString({});
    return runtime::returnString(t.window->list.items[static_cast<std::size_t>(index)]);
}

extern "C" std::int32_t PX$FINDSTRINGEXACT(ObjectVar* object, std::int32_t start, const PvString* text) {
    const Target t = checkedTarget(object, op::FindStringExact, listKinds);
    const int count = itemCount(t);
    if (count == 0) return -1;
    // The search begins after `start` and wraps round to it; -1 (or any index outside the
    // list) searches from the top. Letters match without regard to case.
    const int first = start < 0 || start >= count ? 0 : start + 1;
    const std::string_view wanted = runtime::view(text);
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        if (platform::sameIgnoringCase(t.window->list.items[static_cast<std::size_t>(i)], wanted)) return i;
    }
    return -1;
}

extern "C" std::int32_t PX$GETTOPINDEX(ObjectVar* object) {
    return checkedTarget(object, op::GetTopIndex, listKinds).window->list.topIndex;
}

extern "C" void PX$SETTOPINDEX(ObjectVar* object, std::int32_t index) {
    const Target t = checkedTarget(object, op::SetTopIndex, listKinds);
    if (index < 0 || index >= std::max(1, itemCount(t))) listFailed(t, op::SetTopIndex, 5);
    runtime::model().change(t.handle)->list.topIndex = index;
}

extern "C" std::int16_t PX$GETSEL(ObjectVar* object, std::int32_t index) {
    const Target t = checkedTarget(object, op::GetSel, {kind::ListBox}, {.nullError = runtime::err::ObjectInvalid});
    if (index < 0 || index >= itemCount(t)) listFailed(t, op::GetSel, 5);
    const platform::ListState& l = t.window->list;
    const bool selected = t.window->multipleSelection() ? l.marked[static_cast<std::size_t>(index)] : l.selected == index;
    return selected ? True : False;
}

extern "C" void PX$SETSEL(ObjectVar* object, std::int32_t index, std::int16_t flag) {
    const Target t = checkedTarget(object, op::SetSel, {kind::ListBox});
    const bool selected = checkedFlag(flag, op::SetSel, 5);
    // Only a multiple-selection list marks items one by one; -1 marks or clears them all.
    if (!runtime::model().setMarked(t.handle, index, selected)) listFailed(t, op::SetSel, 6);
}

extern "C" std::int32_t PX$GETSELCOUNT(ObjectVar* object) {
    const Target t = checkedTarget(object, op::GetSelCount, {kind::ListBox});
    // A single-selection list has no count of selected items: -1, as the window system says.
    if (!t.window->multipleSelection()) return -1;
    return static_cast<std::int32_t>(std::ranges::count(t.window->list.marked, true));
}
