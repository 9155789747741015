// Check and option boxes (0 clear, 1 checked, 2 indeterminate) and scroll bars: the
// position, the range, and the steps the runtime uses when the user clicks an arrow
// (small step) or the trough (large step).

#include "platform/model.hpp"
#include "toolkit/checks.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace {

constexpr Kinds checkKinds = {kind::OptionButton, kind::CheckBox, kind::BitmapButton};
constexpr Kinds scrollKinds = {kind::HScrollBar, kind::VScrollBar};

std::int32_t checkState(ObjectVar* object, std::uint32_t operation) {
    return checkedTarget(object, operation, checkKinds).window->check;
}

void setCheckState(ObjectVar* object, std::int32_t state, std::uint32_t operation) {
    const Target t = checkedTarget(object, operation, checkKinds);
    if (state < 0 || state > 2) fail(runtime::err::IllegalArgument, operation, 5);
    runtime::model().setCheck(t.handle, state);
}

// Selector 0 names the first of a pair, 1 the second; others are error 5.
bool secondOfPair(std::int32_t selector, std::uint32_t operation) {
    if (selector != 0 && selector != 1) fail(runtime::err::IllegalArgument, operation, 5);
    return selector == 1;
}

}  // namespace

extern "C" std::int32_t PX$GETCHECK(ObjectVar* object) { return checkState(object, op::GetCheck); }
extern "C" void PX$SETCHECK(ObjectVar* object, std::int32_t state) { setCheckState(object, state, op::SetCheck); }
extern "C" std::int32_t PX$GETSTATE(ObjectVar* object) { return checkState(object, op::GetState); }
extern "C" void PX$SETSTATE(ObjectVar* object, std::int32_t state) { setCheckState(object, state, op::SetState); }

extern "C" std::int32_t PX$GETSCROLLPOS(ObjectVar* object) {
    return checkedTarget(object, op::GetScrollPos, scrollKinds).window->scroll.pos;
}

extern "C" void PX$SETSCROLLPOS(ObjectVar* object, std::int32_t position) {
    const Target t = checkedTarget(object, op::SetScrollPos, scrollKinds);
    runtime::model().setScrollPos(t.handle, position);
}

extern "C" std::int32_t PX$GETSCROLLRANGE(ObjectVar* object, std::int32_t selector) {
    const Target t = checkedTarget(object, op::GetScrollRange, scrollKinds);
    return secondOfPair(selector, op::GetScrollRange) ? t.window->scroll.max : t.window->scroll.min;
}

extern "C" void PX$SETSCROLLRANGE(ObjectVar* object, std::int32_t minimum, std::int32_t maximum) {
    const Target t = checkedTarget(object, op::SetScrollRange, scrollKinds);
    runtime::model().setScrollRange(t.handle, minimum, maximum);
}

extern "C" std::int32_t PX$GETSCROLLSTEP(ObjectVar* object, std::int32_t selector) {
    const Target t = checkedTarget(object, op::GetScrollStep, scrollKinds);
    return secondOfPair(selector, op::GetScrollStep) ? t.window->scroll.largeStep : t.window->scroll.smallStep;
}

extern "C" void PX$SETSCROLLSTEP(ObjectVar* object, std::int32_t smallStep, std::int32_t largeStep) {
    const Target t = checkedTarget(object, op::SetScrollStep, scrollKinds);
    platform::Window* w = runtime::model().change(t.handle);
    w->scroll.smallStep = smallStep;
    w->scroll.largeStep = largeStep;
}
