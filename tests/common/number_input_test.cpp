#include <gtest/gtest.h>

#include "common/number_input.hpp"
#include "runtime/sjis.hpp"

using namespace common;
using namespace runtime::literals;

TEST(DateTimeField, BecomesTwoDigitsWithinItsRange) {
    struct Case {
        std::string typed;
        float kind;
        std::string expected;
    } cases[] = {
        {"０７"_sj, kMonthField, "07"}, {"13", kMonthField, "12"}, {"00", kMonthField, "01"},
        {"00", kDayField, "01"},        {"32", kDayField, "31"},   {"31", kDayField, "31"},
        {"24", kHourField, "23"},       {"0", kHourField, "00"},   {"75", kMinuteField, "59"},
        {"-5", kMinuteField, "00"},     {"5", kYearField, "05"},   {"123", kYearField, "12"},
        {"abc", kHourField, "00"},      {"", kDayField, "01"},     {"9", 7, "09"},
    };
    for (const auto& c : cases) {
        std::string field = c.typed;
        PX$IBOX_SUB(field, c.kind);
        EXPECT_EQ(field, c.expected) << runtime::toUtf8(c.typed) << " kind " << c.kind;
    }
}

TEST(FractionInput, KeepsTypedLeadingZeros) {
    struct Case {
        std::string typed, keptTyped, fraction;
    } cases[] = {
        {"007", "007", "007"}, {"5", "5", "5"},           {"00", "00", "00"},
        {"０２５"_sj, "025", "025"}, {"1234567", "12345", "12345"}, {"abc", "abc", "000"},
        {"", "", "0"},        {"0", "0", "0"},
    };
    for (const auto& c : cases) {
        std::string typed = c.typed, fraction;
        PX$EDIT38_SUB(typed, fraction);
        EXPECT_EQ(typed, c.keptTyped);
        EXPECT_EQ(fraction, c.fraction) << runtime::toUtf8(c.typed);
    }
}

TEST(PriceInput, SplitsIntoIntegerAndFractionParts) {
    struct Case {
        std::string typed, integer, fraction;
    } cases[] = {
        {"110.025", "110", "025"}, {"110", "110", "00"},  {".5", "0", "5"},
        {"1234.5", "123", "5"},    {"１１０．５"_sj, "110", "5"}, {"-110.5", "110", "5"},
        {"", "0", "00"},           {"0.91234", "0", "91234"},
    };
    for (const auto& c : cases) {
        std::string integer, fraction;
        splitPriceInput(c.typed, integer, fraction);
        EXPECT_EQ(integer, c.integer) << runtime::toUtf8(c.typed);
        EXPECT_EQ(fraction, c.fraction) << runtime::toUtf8(c.typed);
    }
}

TEST(PricePair, ReadsTheTradeWindowFields) {
    struct Case {
        std::string edit2, edit3, price, integer, fraction;
        float sum;
    } cases[] = {
        {"110", "025", "110.025", "110", "025", 135.0f},  // integer + the fraction digits read as a number
        {"110", "0", "110", "110", "0", 110.0f},
        {"", "", "0", "0", "0", 0.0f},  // no price: the sum is below 1
        {"1234", "5", "123.5", "123", "5", 128.0f},
        {"9e9", "5", "0.5", "0", "5", 5.0f},  // beyond 16 bits reads as 0, never an overflow
        {"-3", "50", "0.50", "0", "50", 50.0f},
    };
    for (const auto& c : cases) {
        std::string price, integer, fraction;
        float sum = -1;
        PX$EDIT23_SUB(c.edit2, c.edit3, price, integer, fraction, sum);
        EXPECT_EQ(price, c.price) << c.edit2 << "." << c.edit3;
        EXPECT_EQ(integer, c.integer);
        EXPECT_EQ(fraction, c.fraction);
        EXPECT_FLOAT_EQ(sum, c.sum);

        std::string i2, f2;
        PX$EDIT78_SUB(c.edit2, c.edit3, i2, f2);
        EXPECT_EQ(i2 + "/" + f2, integer + "/" + fraction);
        PX$EDIT2021_SUB(c.edit2, c.edit3, i2, f2);
        EXPECT_EQ(i2 + "/" + f2, integer + "/" + fraction);
    }
}

TEST(SmallNumberFields, AreCutAndClamped) {
    struct Case {
        std::string e4, e5, e6;
        std::int16_t first, second;
        float third;
    } cases[] = {
        {"10", "2", "0.5", 10, 2, 0.0f},  // below 1 becomes 0
        {"1234", "-3", "1234567", 123, 0, 123456.0f},
        {"２"_sj, "", "abc", 2, 0, 0.0f},
        {"3", "4", "10000", 3, 4, 10000.0f},
        {"7", "8", "1.5", 7, 8, 1.5f},
    };
    for (const auto& c : cases) {
        std::int16_t first = -1, second = -1;
        float third = -1;
        PX$EDIT456_SUB(c.e4, c.e5, c.e6, first, second, third);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
        EXPECT_FLOAT_EQ(third, c.third);
    }
}
