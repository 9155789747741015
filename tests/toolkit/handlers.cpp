// The handlers the test program exports, found by the runtime under their PX$ names.
// They only note what arrived (and, where a test asks, act as a program's handler would).

#include "runtime/error.hpp"
#include "toolkit_fixture.hpp"

namespace toolkit::test {
Seen seen;
}

using toolkit::test::seen;

extern "C" {

void PX$BUTTON1_ON(void*) {
    seen.calls.push_back("BUTTON1_ON");
    ++seen.button1;
    if (ObjectVar* nested = seen.nestedWaitForm) {
        seen.nestedWaitForm = nullptr;
        runtime::model().userClose(runtime::mainWindow());
        PX$WAITEVENT(nested);
    }
}

void PX$BUTTON9_ON(void*) {
    ++seen.button9;
    if (seen.endStatus >= 0) runtime::requestEnd(seen.endStatus);
    if (seen.raiseNumber) runtime::raiseError(seen.raiseNumber);
    if (seen.dialogToEnd) {
        const platform::Window* dialog = runtime::model().find(seen.dialogToEnd);
        seen.ownerDisabledInDialog = dialog && !runtime::model().find(dialog->owner)->enabled;
        ObjectVar v = 0;
        PX$ATTACH(&v, seen.dialogToEnd);
        PX$ENDDIALOG(&v, 42);
    }
}

void PX$TIMER1_TIMER(void*) { seen.calls.push_back("TIMER1_TIMER"); }

void PX$EDIT1_CHANGE(void*) {
    seen.calls.push_back("EDIT1_CHANGE");
    ++seen.edit1;
}
void PX$EDIT1_SETFOCUS(void*) { seen.calls.push_back("EDIT1_SETFOCUS"); }
void PX$EDIT1_KILLFOCUS(void*) { seen.calls.push_back("EDIT1_KILLFOCUS"); }
void PX$HSCROLL1_CHANGE(void*) { seen.calls.push_back("HSCROLL1_CHANGE"); }
void PX$LABEL2_CLICK(void*) { seen.calls.push_back("LABEL2_CLICK"); }
void PX$PICTURE1_CLICK(void*) { seen.calls.push_back("PICTURE1_CLICK"); }
void PX$PICTURE1_DBLCLICK(void*) { seen.calls.push_back("PICTURE1_DBLCLICK"); }
void PX$PICTURE1_MOUSEUP(void*, std::int16_t, std::int16_t, float, float) { seen.calls.push_back("PICTURE1_MOUSEUP"); }
void PX$PICTURE1_MOUSEMOVE(void*, std::int16_t, std::int16_t, float, float) {
    seen.calls.push_back("PICTURE1_MOUSEMOVE");
}
void PX$PICTURE1_MOUSEWHEEL(void*, std::int16_t steps) {
    seen.calls.push_back("PICTURE1_MOUSEWHEEL " + std::to_string(steps));
}

void PX$PICTURE1_MOUSEDOWN(void*, std::int16_t button, std::int16_t, float x, float y) {
    seen.calls.push_back("PICTURE1_MOUSEDOWN");
    seen.mouseButton = button;
    seen.mouseX = x;
    seen.mouseY = y;
}

void PX$DEMOFORM_RESIZE(void*) {
    seen.calls.push_back("DEMOFORM_RESIZE");
    ++seen.demoResize;
}
void PX$MAXFORM_RESIZE(void*) { ++seen.maxResize; }

void PX$DEMOFORM_END(void*) {
    ++seen.demoEnd;
    if (seen.demoForm) seen.endSawWindow = PV$CHECKOBJECT(seen.demoForm) == -1;
}

void PX$QUERYFORM_QUERYCLOSE(void*, std::int16_t* cancel) {
    ++seen.query;
    *cancel = seen.queryAnswer;
}
}
