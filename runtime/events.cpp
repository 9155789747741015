#include "runtime/events.hpp"

#include <deque>
#include <map>

#include "platform/model.hpp"
#include "runtime/form_resource.hpp"
#include "runtime/forms.hpp"
#include "runtime/window_system.hpp"

namespace runtime {

namespace {

struct EventState {
    std::deque<Event> queue;
    std::uint64_t handlersRun = 0;
    bool inWait = false;
    platform::Handle mainWindow = 0;
    bool ending = false;
    int endStatus = 0;
    MapModeConversion toMapMode;
    std::map<std::pair<platform::Handle, int>, void*> timers;
};

EventState& state() {
    static EventState s;
    return s;
}

using Plain = void (*)(void*);
using Mouse = void (*)(void*, std::int16_t, std::int16_t, float, float);
using Wheel = void (*)(void*, std::int16_t);
using Query = void (*)(void*, std::int16_t*);

// The event a notification is for the window's kind; 0 when it is none.
std::uint16_t eventFor(const platform::Notification& n, platform::Kind kind) {
    using N = platform::NotificationKind;
    using K = platform::Kind;
    switch (n.kind) {
    case N::Click:
        if (kind == K::PushButton || kind == K::CheckBox || kind == K::OptionButton) return EvOn;
        return EvClick;
    case N::DoubleClick: return EvDblClick;
    case N::Change:
    case N::Scroll: return EvChange;
    case N::GotFocus: return EvSetFocus;
    case N::LostFocus: return EvKillFocus;
    case N::MouseDown: return EvMouseDown;
    case N::MouseUp: return EvMouseUp;
    case N::MouseMove: return EvMouseMove;
    case N::MouseWheel: return EvMouseWheel;
    case N::Resize: return EvResize;
    case N::CloseRequest: return closeRequest;
    case N::DropFiles: return EvDropFiles;
    // Keys belong to the controls' own handling; a closed form was reported by its close
    // request; timers have no event in the form resource.
    case N::KeyDown:
    case N::KeyUp:
    case N::Move:
    case N::Closed:
    case N::Timer: return 0;
    }
    return 0;
}

// The close the user asked for: QUERYCLOSE may keep the form, otherwise it goes (its
// END handler runs while it still exists). True when a handler ran.
bool runClose(platform::Handle form) {
    bool ran = false;
    if (void* query = boundHandler(form, EvQueryClose)) {
        std::int16_t cancel = 0;
        handlerAs<Query>(query)(nullptr, &cancel);
        countHandlerRun();
        ran = true;
        if (cancel != 0) return ran;
    }
    const std::uint64_t before = state().handlersRun;
    destroyWindow(form);
    return ran || state().handlersRun != before;
}

// Runs one event; true when a handler ran.
bool runEvent(const Event& e) {
    if (!model().exists(e.window)) return false;
    if (e.id == closeRequest) return runClose(e.window);
    if (e.id == timerEvent) {
        void* timer = timerHandler(e.window, e.value);
        if (!timer) return false;
        handlerAs<Plain>(timer)(nullptr);
        countHandlerRun();
        return true;
    }
    void* proc = boundHandler(e.window, e.id);
    if (!proc) return false;
    switch (e.id) {
    case EvMouseDown:
    case EvMouseUp:
    case EvMouseMove: {
        auto [x, y] = state().toMapMode ? state().toMapMode(e.window, e.x, e.y)
                                        : std::pair<float, float>(static_cast<float>(e.x), static_cast<float>(e.y));
        handlerAs<Mouse>(proc)(nullptr, static_cast<std::int16_t>(e.button), static_cast<std::int16_t>(e.shift), x, y);
        break;
    }
    case EvMouseWheel: handlerAs<Wheel>(proc)(nullptr, static_cast<std::int16_t>(e.value)); break;
    default: handlerAs<Plain>(proc)(nullptr); break;
    }
    countHandlerRun();
    return true;
}

}  // namespace

void bindTimer(platform::Handle form, int id, void* handler) {
    if (handler) state().timers[{form, id}] = handler;
    else state().timers.erase({form, id});
}

void* timerHandler(platform::Handle form, int id) {
    const auto it = state().timers.find({form, id});
    return it == state().timers.end() ? nullptr : it->second;
}

void queueEvent(const Event& event) { state().queue.push_back(event); }

void collectNotifications() {
    platform::Model& m = model();
    while (auto n = m.takeNotification()) {
        if (n->kind == platform::NotificationKind::Timer) {
            if (timerHandler(n->window, n->value)) queueEvent(Event{n->window, timerEvent, 0, 0, 0, 0, n->value});
            continue;
        }
        const auto cls = classifyWindow(n->window);
        const platform::Window* w = m.find(n->window);
        if (!cls || !w) continue;
        const std::uint16_t id = eventFor(*n, w->kind);
        if (id == 0) continue;
        // A close request stands for the whole close; other events only matter when bound.
        if (id != closeRequest && !boundHandler(n->window, id)) continue;
        queueEvent(Event{n->window, id, n->button, n->shift, n->x, n->y, n->value});
    }
}

bool eventsPending() { return !state().queue.empty(); }

bool runPendingEvents() {
    bool ran = false;
    while (!state().queue.empty()) {
        const Event e = state().queue.front();
        state().queue.pop_front();
        if (runEvent(e)) ran = true;
    }
    return ran;
}

std::uint64_t handlersRun() { return state().handlersRun; }
void countHandlerRun() { ++state().handlersRun; }
void clearEvents() {
    EventState& s = state();
    s.queue.clear();
    s.timers.clear();
    s.inWait = false;
    s.mainWindow = 0;
    s.ending = false;
    s.endStatus = 0;
}

void enterEventWait() { state().inWait = true; }
void leaveEventWait() { state().inWait = false; }
bool inEventWait() { return state().inWait; }

void setMainWindow(platform::Handle window) { state().mainWindow = window; }
platform::Handle mainWindow() { return state().mainWindow; }

void checkMainWindow() {
    const platform::Handle main = state().mainWindow;
    if (main == 0 || model().exists(main)) return;
    leaveEventWait();
    throw ProgramEnd{0};
}

void requestEnd(int status) {
    state().ending = true;
    state().endStatus = status;
}

bool endingRequested() { return state().ending; }

void checkEnding() {
    if (!state().ending) return;
    // Finish the ending: every form goes, each running its END handler.
    while (!model().forms().empty()) destroyWindow(model().forms().back());
    leaveEventWait();
    throw ProgramEnd{state().endStatus};
}

void setMapModeConversion(MapModeConversion conversion) { state().toMapMode = std::move(conversion); }

}  // namespace runtime
