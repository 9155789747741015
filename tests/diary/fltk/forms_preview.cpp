// The diary's start-up on real windows, then each of its eight windows shown on its own
// in turn, for screenshots: the test prints "shown NAME" when a window is up and waits
// for a file "next" in the working folder before it shows the next one. After the last
// the main window closes as the user would close it.
//   diary_forms_preview   (in the diary's working folder)

#include <iostream>

#include "common/ui/controls.hpp"
#include "tests/support/form_preview.hpp"
#include "diary/app/diary_state.hpp"
#include "diary/app/startup.hpp"
#include "runtime/objects.hpp"
#include "runtime/sjis.hpp"
#include "runtime/window_system.hpp"

namespace {

namespace ui = common::ui;

// A caption that is the control's own name is a placeholder the program replaces (TEXT4,
// TEXT56, BUTTON1...). The date-time ruler TEXT64 lies behind the six fields by design and
// only shows between them.
bool notMeasured(const std::string& name, const std::string& caption) { return caption == name || name == "TEXT64"; }

void mainProgram() {
    diary::Diary& d = diary::diary();
    diary::startUp(d);
    diary::Windows& w = d.windows;
    diary::FormWindow* forms[] = {&w.main,    &w.chart,   &w.trade, &w.memo,
                                  &w.closedTrades, &w.options, &w.input, &w.checklist};
    // The longest texts the program writes into labels and buttons later: a whole
    // date-time, the settlement screen's emergency caption.
    for (const char* label : {"TEXT61", "TEXT62", "TEXT65", "TEXT70"}) ui::setText(w.trade[label], "2026/12/10_11:45:30");
    ui::setText(w.trade["BUTTON51"], runtime::fromUtf8("緊急エントリー 日時確定"));
    for (diary::FormWindow* form : forms) preview::reportClippedCaptions(*form, notMeasured);
    // The input box shows its date-time fields, as for the time stop.
    ui::show(w.input["EDIT13"], false);
    for (diary::FormWindow* shown : forms) {
        for (diary::FormWindow* other : forms)
            if (other != shown) ui::show(other->form, false);
        ui::move(shown->form, 0, 0);
        ui::show(shown->form, true);
        ui::toFront(shown->form);
        PV$CALLEVENT();
        std::cout << "shown " << shown->name() << std::endl;
        preview::waitForNext();
    }
    ui::show(w.main.form, true);
    PX$DESTROYWINDOW(&w.main.form);
}

}  // namespace

int main(int argc, char** argv) { return runtime::runProgram(argc, argv, mainProgram); }
