#pragma once
// What the real-window previews of both programs share: waiting for the test's "next"
// file between two screenshots, and measuring every caption of a form in its control's
// font, with a line "clipped FORM.NAME ..." for each that does not fit.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "common/ui/controls.hpp"
#include "common/ui/form_window.hpp"
#include "runtime/objects.hpp"
#include "runtime/pv_string.hpp"
#include "runtime/sjis.hpp"
#include "toolkit/toolkit.hpp"

namespace preview {

// Runs the events until the test has taken its screenshot and made the file "next".
inline void waitForNext() {
    while (!std::filesystem::exists("next")) {
        PV$CALLEVENT();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    std::filesystem::remove("next");
}

// The room a caption needs beside its text: a button's frame, a check box's square, a
// group frame's inset; -1 for kinds whose caption is not measured.
inline int margin(std::uint32_t kind) {
    switch (kind) {
    case runtime::kind::PushButton: return 6;
    case runtime::kind::CheckBox:
    case runtime::kind::OptionButton: return 20;
    case runtime::kind::GroupBox: return 16;
    case runtime::kind::Label: return 0;
    default: return -1;
    }
}

// Every caption of the form measured; `skip` names a control whose caption is not (a
// placeholder the program replaces, a ruler behind other controls). A caption of several
// lines is as wide as its widest line and as high as its lines together.
template <typename Skip>
void reportClippedCaptions(common::ui::FormWindow& form, Skip skip) {
    namespace ui = common::ui;
    for (const auto& [name, variable] : form.controls()) {
        ObjectVar v = variable;
        const auto record = runtime::getRecord(&v);
        if (!record) continue;
        const int room = margin(record->kind);
        if (room < 0) continue;
        const std::string caption = ui::text(v);
        if (skip(name, caption)) continue;
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

}  // namespace preview
