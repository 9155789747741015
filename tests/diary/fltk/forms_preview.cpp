// The diary's start-up on real windows, then each of its eight windows shown on its own
// in turn, for screenshots: the test prints "shown NAME" when a window is up and waits
// for a file "next" in the working folder before it shows the next one. After the last
// the main window closes as the user would close it.
//   diary_forms_preview   (in the diary's working folder)

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include "common/ui/controls.hpp"
#include "diary/app/diary_state.hpp"
#include "diary/app/startup.hpp"
#include "runtime/objects.hpp"
#include "runtime/sjis.hpp"
#include "runtime/window_system.hpp"

namespace {

namespace ui = common::ui;

void waitForNext() {
    while (!std::filesystem::exists("next")) {
        PV$CALLEVENT();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    std::filesystem::remove("next");
}

// The room a caption needs beside its text: a button's frame, a check box's square,
// a group frame's inset.
int margin(std::uint32_t kind) {
    switch (kind) {
    case runtime::kind::PushButton: return 6;
    case runtime::kind::CheckBox:
    case runtime::kind::OptionButton: return 20;
    case runtime::kind::GroupBox: return 16;
    case runtime::kind::Label: return 0;
    default: return -1;
    }
}

// Every caption measured in its control's font: a line "clipped FORM.NAME ..." for each
// that does not fit.
void reportClippedCaptions(diary::FormWindow& form) {
    for (const auto& [name, variable] : form.controls()) {
        ObjectVar v = variable;
        const auto record = runtime::getRecord(&v);
        if (!record) continue;
        const int room = margin(record->kind);
        if (room < 0) continue;
        const std::string caption = ui::text(v);
        // A caption that is the control's own name is a placeholder the program replaces
        // (TEXT4, TEXT56, BUTTON1...). The date-time ruler TEXT64 lies behind the six
        // fields by design and only shows between them.
        if (caption == name || name == "TEXT64") continue;
        // A caption of several lines (the stock display) is as wide as its widest line
        // and as high as its lines together.
        float widest = 0, high = 0;
        for (std::size_t start = 0;;) {
            const auto end = caption.find("\r\n", start);
            // The descriptor points into the text: the text must outlive it.
            const std::string text = caption.substr(start, end == std::string::npos ? end : end - start);
            const PvString line = runtime::pvString(text);
            widest = std::max(widest, PX$GETTEXTWIDTH(&v, &line));
            high += PX$GETTEXTHEIGHT(&v, &line);
            if (end == std::string::npos) break;
            start = end + 2;
        }
        const float needed = widest + static_cast<float>(room);
        if (needed > ui::width(v) || (high > ui::height(v) && caption.find("\r\n") != std::string::npos))
            std::cout << "clipped " << form.name() << "." << name << " \"" << runtime::toUtf8(caption) << "\" needs "
                      << needed << "x" << high << " has " << ui::width(v) << "x" << ui::height(v) << std::endl;
    }
}

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
    for (diary::FormWindow* form : forms) reportClippedCaptions(*form);
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
        waitForNext();
    }
    ui::show(w.main.form, true);
    PX$DESTROYWINDOW(&w.main.form);
}

}  // namespace

int main(int argc, char** argv) { return runtime::runProgram(argc, argv, mainProgram); }
