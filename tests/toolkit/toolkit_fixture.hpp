#pragma once
// A fresh headless window system per test, the runtime strings the operations take, and
// the record of what the test program's exported handlers saw.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_backend.hpp"
#include "runtime/events.hpp"
#include "runtime/forms.hpp"
#include "runtime/window_system.hpp"
#include "toolkit/toolkit.hpp"

namespace toolkit::test {

// A runtime string over its own bytes (not copyable: the descriptor points into it).
class Str {
public:
    explicit Str(std::string text) : text_(std::move(text)), pv_(runtime::pvString(text_)) {}
    Str(const Str&) = delete;
    Str& operator=(const Str&) = delete;
    const PvString* get() const { return &pv_; }

private:
    std::string text_;
    PvString pv_;
};

// What the exported handlers of the test program saw since the last reset.
struct Seen {
    int button1 = 0, button9 = 0, edit1 = 0, demoResize = 0, maxResize = 0, demoEnd = 0, query = 0;
    int mouseButton = 0;
    float mouseX = -1, mouseY = -1;
    bool endSawWindow = false;  // DEMOFORM_END found its form still open
    std::int16_t queryAnswer = 0;
    std::vector<std::string> calls;  // every handler that ran, by its name without "PX$"
    // Set by a test: BUTTON1_ON closes the main window and waits on this form.
    ObjectVar* nestedWaitForm = nullptr;
    // Set by a test: BUTTON9_ON ends this modal dialog with 42.
    platform::Handle dialogToEnd = 0;
    bool ownerDisabledInDialog = false;
    ObjectVar* demoForm = nullptr;  // the variable DEMOFORM_END checks
    int raiseNumber = 0;            // BUTTON9_ON raises this run-time error when not 0
    int endStatus = -1;             // BUTTON9_ON asks the program to end with it when >= 0
};
extern Seen seen;

class ToolkitTest : public testing::Test {
protected:
    void SetUp() override {
        runtime::resetWindowSystem();
        backend = &runtime::startHeadless();
        seen = Seen{};
    }
    void TearDown() override {
        seen = Seen{};
        runtime::resetWindowSystem();
    }

    // A new variable holding the named form, shown.
    static ObjectVar create(const char* name, std::int16_t visible = -1) {
        ObjectVar form = 0;
        Str n(name);
        PX$CREATEWINDOW(&form, n.get(), visible);
        return form;
    }
    static std::uint32_t item(ObjectVar* form, const char* name) {
        Str n(name);
        return PX$GETDLGITEM(form, n.get());
    }
    static ObjectVar attach(ObjectVar* form, const char* name) {
        ObjectVar v = 0;
        PX$ATTACH(&v, item(form, name));
        return v;
    }
    static platform::Handle windowOf(ObjectVar* v) { return PX$GETHWND(v); }

    platform::Model& model = runtime::model();
    platform::HeadlessBackend* backend = nullptr;
};

}  // namespace toolkit::test
