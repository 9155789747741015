#include "runtime/clock.hpp"

#include <gtest/gtest.h>

namespace {

// Every test leaves the process on the system clock.
class ClockTest : public ::testing::Test {
protected:
    void TearDown() override { runtime::clearFixedClock(); }
};

TEST_F(ClockTest, FixedClockGivesZeroPaddedDateAndTime) {
    const runtime::DateTime fixed{2009, 3, 5, 14, 7, 0};
    runtime::setFixedClock(fixed);
    EXPECT_EQ(runtime::now(), fixed);
    EXPECT_EQ(runtime::fixedClock(), fixed);
    EXPECT_EQ(runtime::dateText(), "2009/03/05");
    EXPECT_EQ(runtime::timeText(), "14:07:00");

    runtime::setFixedClock({2010, 12, 31, 23, 59, 59});
    EXPECT_EQ(runtime::dateText(), "2010/12/31");
    EXPECT_EQ(runtime::timeText(), "23:59:59");
}

TEST_F(ClockTest, ReadingsComeInTurnAndTheLastOneStays) {
    const runtime::DateTime before{2009, 12, 31, 23, 59, 59};
    const runtime::DateTime after{2010, 1, 1, 0, 0, 0};
    runtime::setClockReadings({before, after});
    EXPECT_EQ(runtime::fixedClock(), before) << "looking does not take a reading";
    EXPECT_EQ(runtime::now(), before);
    EXPECT_EQ(runtime::fixedClock(), after);
    // Each part read on its own takes a reading of its own.
    EXPECT_EQ(runtime::timeText(), "00:00:00");
    EXPECT_EQ(runtime::dateText(), "2010/01/01");
    EXPECT_EQ(runtime::now(), after);

    // One reading formatted twice gives the two parts of the same second.
    runtime::setClockReadings({before, after});
    const runtime::DateTime t = runtime::now();
    EXPECT_EQ(runtime::dateText(t) + " " + runtime::timeText(t), "2009/12/31 23:59:59");

    // A fixed time replaces the readings that were left.
    runtime::setFixedClock({2009, 3, 5, 14, 7, 0});
    EXPECT_EQ(runtime::now(), (runtime::DateTime{2009, 3, 5, 14, 7, 0}));
    EXPECT_EQ(runtime::now(), (runtime::DateTime{2009, 3, 5, 14, 7, 0}));

    runtime::setClockReadings({});
    EXPECT_FALSE(runtime::fixedClock().has_value()) << "no readings is the system clock";
}

TEST_F(ClockTest, ClearingReturnsToTheSystemClock) {
    runtime::setFixedClock({2009, 3, 5, 14, 7, 0});
    runtime::clearFixedClock();
    EXPECT_FALSE(runtime::fixedClock().has_value());

    const runtime::DateTime t = runtime::now();
    EXPECT_GE(t.year, 2024);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
    EXPECT_GE(t.day, 1);
    EXPECT_LE(t.day, 31);
    EXPECT_LE(t.hour, 23);
    EXPECT_LE(t.minute, 59);
    EXPECT_LE(t.second, 60);

    const std::string date = runtime::dateText();
    ASSERT_EQ(date.size(), 10u);
    EXPECT_EQ(date[4], '/');
    EXPECT_EQ(date[7], '/');
    EXPECT_NE(date, "2009/03/05");
    const std::string time = runtime::timeText();
    ASSERT_EQ(time.size(), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
}

}  // namespace
