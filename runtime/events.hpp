#pragma once
// The event queue: what the user did (the model's notifications) becomes events of the
// form's objects, bound to the handlers named in the form resource. Events are queued
// and run by the toolkit's loops and the runtime's own loop, one queue for the process.
//
// Handlers are exported by the program, unmangled, and take a hidden first word (null;
// handlers ignore it):
//   ON, CLICK, CHANGE, DBLCLICK, SETFOCUS, KILLFOCUS, RESIZE, START, END, DROPFILES:
//       void PX$NAME_SUFFIX(void* hidden)
//   MOUSEDOWN, MOUSEUP, MOUSEMOVE:
//       void PX$NAME_SUFFIX(void* hidden, std::int16_t button, std::int16_t shift, float x, float y)
//   MOUSEWHEEL: void PX$NAME_SUFFIX(void* hidden, std::int16_t steps)
//   QUERYCLOSE: void PX$NAME_SUFFIX(void* hidden, std::int16_t* cancel)  (set -1 to keep the form)

#include <cstdint>
#include <cstring>
#include <functional>
#include <utility>

#include "platform/types.hpp"

namespace runtime {

struct Event {
    platform::Handle window = 0;
    std::uint16_t id = 0;  // event id of the form resource, or closeRequest
    int button = 0, shift = 0, x = 0, y = 0, value = 0;
};
// The user asked to close a form: QUERYCLOSE (if bound), then the close with END.
inline constexpr std::uint16_t closeRequest = 0xFFFF;

// A timer's event: the model's Timer notification for (form, timer id) runs the handler
// bound to that timer (void PX$NAME_TIMER(void* hidden)); the id travels in `value`.
inline constexpr std::uint16_t timerEvent = 0xFFFE;
// Binds a timer of a form to its handler (null: the timer raises nothing).
void bindTimer(platform::Handle form, int id, void* handler);
void* timerHandler(platform::Handle form, int id);

void queueEvent(const Event& event);
// Turns the model's notifications into queued events.
void collectNotifications();
bool eventsPending();
// Runs the queued events (and those their handlers queue); true when a handler ran.
bool runPendingEvents();
// Handlers run so far; a loop compares it to see whether one ran while it waited.
std::uint64_t handlersRun();
// Counts a handler the runtime called outside the queue (END while a form goes).
void countHandlerRun();
void clearEvents();

// The in-event-wait flag (a flag, not a counter: a nested wait clears it for the outer one).
void enterEventWait();
void leaveEventWait();
bool inEventWait();
// Enters the event wait for a scope and leaves it on every way out, an error from a
// handler included.
struct EventWaitScope {
    EventWaitScope() { enterEventWait(); }
    ~EventWaitScope() { leaveEventWait(); }
    EventWaitScope(const EventWaitScope&) = delete;
    EventWaitScope& operator=(const EventWaitScope&) = delete;
};

// The main window: its loss ends the program. 0 when none was set.
void setMainWindow(platform::Handle window);
platform::Handle mainWindow();
// Main window check: when the main window is gone, leave the event wait and end the
// program (throws ProgramEnd; does not return).
void checkMainWindow();

// The ending sequence: a program asks to end while a loop runs; the next ending check
// finishes it (every form destroyed, END handlers run), leaves the wait and ends.
void requestEnd(int status = 0);
bool endingRequested();
void checkEnding();

// Converts a point in pixels of a window into the window's map mode. Pixels until the
// control operations install the map modes.
using MapModeConversion = std::function<std::pair<float, float>(platform::Handle window, int x, int y)>;
void setMapModeConversion(MapModeConversion conversion);

// An exported handler's address as the function type of its event.
template <typename F>
F handlerAs(void* address) {
    static_assert(sizeof(F) == sizeof(void*));
    F f;
    std::memcpy(&f, &address, sizeof f);
    return f;
}

}  // namespace runtime
