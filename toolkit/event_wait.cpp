// The toolkit's event loops: wait until a handler ran, one pass, and the pending test.
// Each loop sets the runtime's in-event-wait flag on entry and clears it on every exit.

#include "runtime/error.hpp"
#include "runtime/events.hpp"
#include "runtime/window_system.hpp"
#include "toolkit/toolkit.hpp"

using namespace toolkit;

namespace {

// How long an idle pass sleeps in the backend before it looks again.
constexpr std::chrono::milliseconds idleWait{50};

// Runs what is queued; true when a handler ran. The checks come first, as a handler run
// while the program ends or after the main window went must not start.
bool handlerStep() {
    if (!runtime::eventsPending()) return false;
    runtime::checkMainWindow();
    runtime::checkEnding();
    return runtime::runPendingEvents();
}

}  // namespace

extern "C" void PX$WAITEVENT(ObjectVar* form) {
    platform::Handle window = 0;
    if (form == nullptr) {
        window = runtime::mainWindow();
        if (window == 0) runtime::raiseError(runtime::err::NullVariable, location(op::WaitEvent, 1));
    } else {
        const auto record = runtime::getRecord(form);
        if (!record) runtime::raiseError(runtime::err::ObjectInvalid, location(op::WaitEvent, 2));
        if (record->kind != runtime::kind::Form)
            runtime::raiseError(runtime::err::WrongObjectKind, location(op::WaitEvent, 3));
        window = record->window;
    }
    if (window == 0 || !runtime::model().exists(window))
        runtime::raiseError(runtime::err::ObjectInvalid, location(op::WaitEvent, 4));

    const runtime::EventWaitScope wait;
    runtime::collectNotifications();
    if (handlerStep()) {
        runtime::checkMainWindow();
        return;
    }
    while (true) {
        runtime::pumpWindowSystem(idleWait);
        runtime::checkMainWindow();
        if (!runtime::model().exists(window)) return;
        runtime::checkEnding();
        if (runtime::eventsPending() && runtime::runPendingEvents()) break;
        // A handler may have closed the form without another one running.
        if (!runtime::model().exists(window)) break;
    }
    runtime::checkMainWindow();
}

extern "C" void PV$CALLEVENT() {
    const runtime::EventWaitScope wait;
    runtime::collectNotifications();
    if (handlerStep()) {
        runtime::checkMainWindow();
        return;
    }
    // One look at the window system that never sleeps.
    runtime::pumpWindowSystem(std::chrono::milliseconds(0));
    runtime::checkMainWindow();
    runtime::checkEnding();
    if (runtime::eventsPending() && runtime::runPendingEvents()) runtime::checkMainWindow();
}

extern "C" std::int16_t PV$CHECKEVENT() {
    const runtime::EventWaitScope wait;
    // Input that already arrived counts as queued events; nothing runs here.
    runtime::collectNotifications();
    return runtime::eventsPending() ? True : False;
}
