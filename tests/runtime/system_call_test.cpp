// The call of a system function by name: the window metrics by their classic indexes,
// and the names the runtime does not know.

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "error_number.hpp"
#include "platform/metrics.hpp"
#include "runtime/system_call.hpp"
#include "runtime/window_system.hpp"

using namespace runtime;

namespace {

std::int32_t call(std::string_view library, std::string_view function, std::initializer_list<std::int32_t> args) {
    const std::vector<std::int32_t> arguments(args);
    return callSystemFunction(library, function, arguments);
}

std::int32_t metric(std::int32_t index) { return call("USER32", "GetSystemMetrics", {index}); }

class SystemCall : public testing::Test {
protected:
    void TearDown() override { model().metrics = saved_; }

private:
    platform::Metrics saved_ = model().metrics;
};

TEST_F(SystemCall, GetSystemMetricsAnswersFromTheWindowSystemsMetrics) {
    // Every metric its own value, so that an index answered from the wrong one shows.
    platform::Metrics& m = model().metrics;
    m.captionHeight = 23;
    m.borderWidth = 2;
    m.dialogFrame = 5;
    m.sizingFrame = 7;
    m.menuHeight = 21;
    m.clientEdge = 3;
    m.scrollBarWidth = 17;
    m.screenWidth = 1280;
    m.screenHeight = 1024;
    const struct {
        std::int32_t index, value;
    } cases[] = {
        {0, 1280}, {1, 1024}, {2, 17}, {3, 17}, {4, 23}, {5, 2}, {6, 2}, {7, 5}, {8, 5},
        {15, 21}, {31, 21}, {32, 7}, {33, 7}, {45, 3}, {46, 3},
        // Indexes the window system has no metric for.
        {9, 0}, {99, 0}, {-1, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(metric(c.index), c.value) << "index " << c.index;
}

// The diary lays out its sizable captioned chart window by them: caption's buttons, sizing
// frame and border reach from the window's outer top to its client area; the menu bar is
// what a menu adds; the sizing frame is the side.
TEST_F(SystemCall, TheFrameMetricsAddUpToTheClientAreasPlace) {
    const platform::Metrics& m = model().metrics;
    const std::uint32_t sizable = platform::style::Caption | platform::style::ThickFrame;
    const platform::Rect outer{100, 50, 400, 300};
    const platform::Rect client = platform::clientRect(m, outer, sizable, 0, false);
    EXPECT_EQ(metric(31) + metric(33) + metric(6), client.y - outer.y);
    EXPECT_EQ(metric(33), client.x - outer.x);
    EXPECT_EQ(metric(15), platform::clientRect(m, outer, sizable, 0, true).y - client.y);
}

TEST_F(SystemCall, TheLibraryIsNamedWithoutRegardToCaseWithOrWithoutItsExtension) {
    for (const char* library : {"USER32", "user32", "User32.dll", "USER32.DLL"})
        EXPECT_EQ(call(library, "GetSystemMetrics", {33}), model().metrics.sizingFrame) << library;
}

TEST_F(SystemCall, AnUnknownNameOrTheWrongArgumentsAreError5) {
    EXPECT_RUNTIME_ERROR(call("KERNEL32", "GetSystemMetrics", {33}), 5);
    EXPECT_RUNTIME_ERROR(call("USER", "GetSystemMetrics", {33}), 5);
    EXPECT_RUNTIME_ERROR(call("USER32.EXE", "GetSystemMetrics", {33}), 5);
    EXPECT_RUNTIME_ERROR(call("", "GetSystemMetrics", {33}), 5);
    EXPECT_RUNTIME_ERROR(call("USER32", "getsystemmetrics", {33}), 5);
    EXPECT_RUNTIME_ERROR(call("USER32", "GetSystemMetricsA", {33}), 5);
    EXPECT_RUNTIME_ERROR(call("USER32", "MessageBeep", {0}), 5);
    EXPECT_RUNTIME_ERROR(call("USER32", "GetSystemMetrics", {}), 5);
    EXPECT_RUNTIME_ERROR(call("USER32", "GetSystemMetrics", {33, 1}), 5);
}

}  // namespace
