// The input box on the headless window system: the diary's own windows, a user who types
// and clicks when the box waits, and what comes back.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

#include "common/ui/controls.hpp"
#include "diary/app/diary_state.hpp"
#include "diary/app/input_box.hpp"
#include "platform/headless/headless_backend.hpp"
#include "runtime/events.hpp"
#include "runtime/forms.hpp"
#include "runtime/sjis.hpp"
#include "runtime/window_system.hpp"

using namespace runtime::literals;

namespace {

class InputBoxTest : public testing::Test {
protected:
    void SetUp() override {
        runtime::resetWindowSystem();
        platform::HeadlessBackend& backend = runtime::startHeadless();
        diary::diary() = diary::Diary{};
        ObjectVar main = 0;
        common::ui::createForm(main, "MAINFORM", true);
        runtime::addStartForm(PX$GETHWND(&main));
        runtime::setMainWindow(PX$GETHWND(&main));
        diary::createWindows(d().windows);
        // The user: one action each time the program waits with nothing to do.
        backend.idleHook = [this] {
            if (actions.empty()) throw std::runtime_error("the input box waits for a user who has left");
            auto next = std::move(actions.front());
            actions.pop_front();
            next();
            return true;
        };
    }
    void TearDown() override { runtime::resetWindowSystem(); }

    static diary::Diary& d() { return diary::diary(); }
    static platform::Handle input(const char* control) { return PX$GETHWND(&d().windows.input[control]); }
    void type(const char* control, const std::string& text) {
        actions.push_back([=] { runtime::model().userType(input(control), runtime::fromUtf8(text)); });
    }
    void click(const char* control) {
        actions.push_back([=] { runtime::model().userClick(input(control)); });
    }

    std::deque<std::function<void()>> actions;
};

TEST_F(InputBoxTest, APriceComesBackSplitAndTheOtherWindowsAreEnabledAgain) {
    common::ui::show(d().windows.memo.form, true);
    bool disabledWhileOpen = false;
    type("EDIT13", "１１０.０２５");
    actions.push_back([&] {
        disabledWhileOpen = !common::ui::isEnabled(d().windows.trade.form) &&
                            !common::ui::isEnabled(d().windows.memo.form) &&
                            common::ui::isEnabled(d().windows.main.form);
        runtime::model().userClick(input("BUTTON53"));
    });
    std::string typed = "価格"_sj, integerPart, fractionPart;
    diary::PX$INPUT_SUB(d(), typed, integerPart, fractionPart);
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_EQ(typed, "１１０.０２５"_sj);
    EXPECT_EQ(integerPart, "110");
    EXPECT_EQ(fractionPart, "025");
    EXPECT_FALSE(common::ui::isVisible(d().windows.input.form));
    EXPECT_TRUE(common::ui::isEnabled(d().windows.trade.form));
    EXPECT_TRUE(common::ui::isEnabled(d().windows.memo.form));
    EXPECT_EQ(d().inputBoxMode, 1);
}

TEST_F(InputBoxTest, CancelLeavesTheEscapeMarkOrAnEmptyPrice) {
    type("EDIT13", "105");
    click("BUTTON54");
    std::string title = "タイトル"_sj;
    diary::PX$INPUT_BOX1(d(), title, "入力"_sj);
    EXPECT_EQ(title, diary::kCancelled);
    EXPECT_EQ(common::ui::text(d().windows.input.form), "タイトル"_sj);

    click("BUTTON54");
    std::string typed = "価格"_sj, integerPart = "x", fractionPart = "y";
    diary::PX$INPUT_SUB(d(), typed, integerPart, fractionPart);
    EXPECT_EQ(typed, "");
    EXPECT_EQ(integerPart, "0");
    EXPECT_EQ(fractionPart, "00");
}

TEST_F(InputBoxTest, ADateTimeConfirmedUnchangedComesBackIdentical) {
    actions.push_back([] {
        EXPECT_EQ(common::ui::text(d().windows.input["EDIT14"]), "09");
        EXPECT_EQ(common::ui::text(d().windows.input["EDIT19"]), "00");
        EXPECT_FALSE(common::ui::isEnabled(d().windows.main.form));
        EXPECT_FALSE(common::ui::isVisible(d().windows.input["EDIT13"]));
        runtime::model().userClick(input("BUTTON53"));
    });
    std::string dateTime = "2009/03/05_14:07:00";
    diary::PX$INPUT_BOX2(d(), "日時"_sj, "入力"_sj, dateTime);
    EXPECT_EQ(dateTime, "2009/03/05_14:07:00");
    EXPECT_TRUE(common::ui::isEnabled(d().windows.main.form));
    EXPECT_EQ(d().inputBoxMode, 2);
}

// Typed fields are normalised to two digits within their ranges; the month 13 becomes 12
// and a one-digit minute gains its zero.
TEST_F(InputBoxTest, TypedDateTimeFieldsAreNormalised) {
    actions.push_back([] {
        for (const char* field : {"EDIT15", "EDIT18"}) runtime::model().setText(input(field), "");
    });
    type("EDIT15", "13");
    type("EDIT18", "5");
    click("BUTTON53");
    std::string dateTime = "2009/03/05_14:07:00";
    diary::PX$INPUT_BOX2(d(), "日時"_sj, "入力"_sj, dateTime);
    EXPECT_EQ(dateTime, "2009/12/05_14:05:00");
}

}  // namespace
