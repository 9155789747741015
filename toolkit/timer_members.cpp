// Timers: an object (kind 0x1800) that belongs to a form, made by PX$CREATETIMER with a
// name. While it is enabled with an interval above 0 the model's timers raise its event,
// which runs the exported handler PX$ + name + "_TIMER". The n-th timer made for a form
// has the timer id n there (what a script's `timer FORM ID` line names).

#include <dlfcn.h>

#include <chrono>
#include <map>
#include <string>

#include "runtime/events.hpp"
#include "toolkit/checks.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace {

struct TimerState {
    std::int32_t interval = 0;  // milliseconds
    bool enabled = false;
};

// Interval and state of each timer object, by its handle.
std::map<ObjectVar, TimerState>& timerStates() {
    static std::map<ObjectVar, TimerState> states;
    return states;
}

// Timers made so far for each form, for the next timer id.
std::map<platform::Handle, int>& timersMade() {
    static std::map<platform::Handle, int> made;
    return made;
}

constexpr Kinds timerKinds = {kind::Timer};

// The record's window is the timer's form, auxWindow its timer id.
void applyState(const Target& t, const TimerState& s) {
    platform::Model& m = runtime::model();
    const int id = static_cast<int>(t.record.auxWindow);
    if (s.enabled && s.interval > 0)
        m.setTimer(t.handle, id, std::chrono::milliseconds(s.interval), platform::Clock::now());
    else
        m.killTimer(t.handle, id);
}

TimerState& stateOf(const ObjectVar* timer) { return timerStates()[*timer]; }

}  // namespace

extern "C" void PX$CREATETIMER(ObjectVar* timer, ObjectVar* form, const PvString* name) {
    const Target f = checkedTarget(form, op::CreateTimer, {kind::Form});
    if (timer == nullptr) fail(runtime::err::NullVariable, op::CreateTimer, 5);
    const std::string_view text = name ? runtime::view(name) : std::string_view{};
    if (text.empty() || text.size() > 21) fail(runtime::err::IllegalArgument, op::CreateTimer, 6);
    if (const auto old = runtime::getRecord(timer);
        old && old->kind == kind::Timer && runtime::model().exists(old->window))
        fail(runtime::err::ObjectHasWindow, op::CreateTimer, 7);

    runtime::ObjectRecord record;
    record.kind = kind::Timer;
    record.state = 1;
    record.window = f.handle;
    record.auxWindow = static_cast<std::uint32_t>(++timersMade()[f.handle]);
    runtime::setRecordName(record, text);
    record.owner = timer;
    const ObjectVar handle = runtime::createObject(record);
    if (handle == 0) fail(runtime::err::OutOfMemory, op::CreateTimer, 8);
    *timer = handle;
    timerStates()[handle] = TimerState{};
    const std::string symbol = "PX$" + std::string(text) + "_TIMER";
    runtime::bindTimer(f.handle, static_cast<int>(record.auxWindow), dlsym(RTLD_DEFAULT, symbol.c_str()));
}

extern "C" std::int32_t PX$GETINTERVAL(ObjectVar* timer) {
    checkedTarget(timer, op::GetInterval, timerKinds);
    return stateOf(timer).interval;
}

extern "C" void PX$SETINTERVAL(ObjectVar* timer, std::int32_t milliseconds) {
    const Target t = checkedTarget(timer, op::SetInterval, timerKinds);
    if (milliseconds < 0) fail(runtime::err::IllegalArgument, op::SetInterval, 5);
    TimerState& s = stateOf(timer);
    s.interval = milliseconds;
    applyState(t, s);
}

extern "C" void PX$ENABLE(ObjectVar* timer, std::int16_t flag) {
    const Target t = checkedTarget(timer, op::Enable, timerKinds);
    TimerState& s = stateOf(timer);
    s.enabled = checkedFlag(flag, op::Enable, 5);
    applyState(t, s);
}

extern "C" std::int16_t PX$ISENABLED(ObjectVar* timer) {
    checkedTarget(timer, op::IsEnabled, timerKinds);
    return stateOf(timer).enabled ? True : False;
}
