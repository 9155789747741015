#include <gtest/gtest.h>

#include <vector>

#include "common/align.hpp"
#include "common/combo_text.hpp"
#include "common/date_time.hpp"
#include "common/digit_code.hpp"
#include "common/field_text.hpp"
#include "runtime/field_reader.hpp"
#include "runtime/clock.hpp"
#include "runtime/error.hpp"
#include "runtime/sjis.hpp"

using namespace common;
using namespace runtime::literals;

TEST(Align, PadsToTheWidestElementInBytes) {
    struct Case {
        std::int16_t mode;
        std::vector<std::string> in, out;
    } cases[] = {
        // A full-width character counts two bytes: "あい" is 4 wide.
        {2, {"", "a", "あい"_sj}, {"    ", "   a", "あい"_sj}},
        {0, {"", "a", "あい"_sj}, {"    ", "a   ", "あい"_sj}},
        {1, {"", "a", "abcd"}, {"    ", " a  ", "abcd"}},
        {1, {"", "ab", "abcde"}, {"     ", " ab  ", "abcde"}},
        {7, {"x", "a", "abc"}, {"   ", "  a", "abc"}},
        {0, {"keep", "", ""}, {"keep", "", ""}},  // width 0: nothing changes
    };
    for (auto c : cases) {
        PX$文字列整理_SUB(c.in, c.mode, 2);
        EXPECT_EQ(c.in, c.out) << "mode " << c.mode;
    }
    std::vector<std::string> list{"", "a"};
    PX$文字列整理_SUB(list, 0, 0);
    EXPECT_EQ(list[1], "a");
    try {
        PX$文字列整理_SUB(list, 0, 2);
        ADD_FAILURE() << "count beyond the list";
    } catch (const runtime::RuntimeError& e) {
        EXPECT_EQ(e.number(), runtime::err::SubscriptOutOfRange);
    }
}

TEST(Align, PadsOneText) {
    struct Case {
        std::int16_t width, mode;
        std::string text, expected;
    } cases[] = {
        {6, 1, "abc", " abc  "},  // the odd blank goes to the right
        {6, 0, "abc", "abc   "},
        {6, 2, "abc", "   abc"},
        {2, 2, "abcd", "abcd"},  // never shortened
        {6, 3, "abc", "unchanged"},
        {6, 2, "表"_sj, "    表"_sj},
    };
    for (const auto& c : cases) {
        std::string result = "unchanged";
        PX$文字列整理_SUB2(c.width, c.mode, c.text, result);
        EXPECT_EQ(result, c.expected);
    }
}

TEST(DigitCode, EncodesEachCharacterAsItsTwoDigitCode) {
    struct Case {
        float value;
        std::string code;
    } cases[] = {{12, "4950"}, {0, "48"}, {1234567, "49505152535455"}, {0.5f, "484653"}};
    for (const auto& c : cases) {
        std::string text;
        PX$VAL2STR_SUB(c.value, text);
        EXPECT_EQ(text, c.code);
        float back = -1;
        PX$STR2VAL_SUB(back, text);
        EXPECT_EQ(back, c.value);
    }
    // Beyond seven digits the exponent form is encoded; it still decodes to the number.
    std::string big;
    PX$VAL2STR_SUB(12345678.0f, big);
    EXPECT_EQ(big.size() % 2, 0u);
    float back = 0;
    PX$STR2VAL_SUB(back, big);
    EXPECT_FLOAT_EQ(back, 12345680.0f);

    for (const std::string& junk : {std::string(), std::string("zz"), std::string("4"), std::string("-1")}) {
        float v = -1;
        PX$STR2VAL_SUB(v, junk);
        EXPECT_EQ(v, 0.0f) << junk;
    }
}

TEST(DateTime, NowTextFollowsTheClockUnlessFrozen) {
    runtime::setFixedClock({2009, 3, 5, 14, 7, 0});
    ClockState clock;
    PX$日時_SUB(clock);
    EXPECT_EQ(clock.nowText, "2009/03/05_14:07:00");
    clock.clockFrozen = 1;
    runtime::setFixedClock({2010, 12, 31, 23, 59, 59});
    PX$日時_SUB(clock);
    EXPECT_EQ(clock.nowText, "2009/03/05_14:07:00");
    clock.clockFrozen = 0;
    PX$日時_SUB(clock);
    EXPECT_EQ(clock.nowText, "2010/12/31_23:59:59");
    runtime::clearFixedClock();
}

TEST(DateTime, NowTextIsOneReadingWhenTheClockCrossesMidnight) {
    // The clock moves on between two readings: a stamp made of two readings would carry
    // the date before midnight and the time after it (or the other way round).
    const struct {
        runtime::DateTime before, after;
        const char* first;
        const char* second;
    } cases[] = {
        {{2009, 3, 5, 23, 59, 59}, {2009, 3, 6, 0, 0, 0}, "2009/03/05_23:59:59", "2009/03/06_00:00:00"},
        {{2008, 2, 28, 23, 59, 59}, {2008, 2, 29, 0, 0, 0}, "2008/02/28_23:59:59", "2008/02/29_00:00:00"},
        {{2009, 12, 31, 23, 59, 59}, {2010, 1, 1, 0, 0, 0}, "2009/12/31_23:59:59", "2010/01/01_00:00:00"},
    };
    for (const auto& c : cases) {
        runtime::setClockReadings({c.before, c.after});
        ClockState clock;
        PX$日時_SUB(clock);
        EXPECT_EQ(clock.nowText, c.first);
        PX$日時_SUB(clock);
        EXPECT_EQ(clock.nowText, c.second) << "each stamp takes the next reading";
    }
    runtime::clearFixedClock();
}

TEST(ComboText, QuotesAndNumberedEntries) {
    std::string r;
    PX$TIME_SUB("a,b", r);
    EXPECT_EQ(r, "\"a,b\"");
    PX$COMBO_SUB1("上昇"_sj, 3, r);
    EXPECT_EQ(r, "3_上昇"_sj);
    PX$COMBO_SUB1("x", 120, r);
    EXPECT_EQ(r, "120_x");

    struct Case {
        std::string entry, text;
        std::int16_t number;
    } cases[] = {{"12_a_b", "a_b", 12}, {"nothing", "nothing", 0}, {"_x", "x", 0}, {"3_上昇"_sj, "上昇"_sj, 3}};
    for (const auto& c : cases) {
        std::string text;
        std::int16_t number = -1;
        PX$COMBO_SUB2(c.entry, text, number);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(number, c.number);
    }
}

TEST(FieldText, OneRuleForPlainAndQuotedFields) {
    struct Case {
        std::string text, plain, quoted;
    } cases[] = {
        {"USD/JPY", "USD/JPY", "\"USD/JPY\""},
        {"a,b", "\"a,b\"", "\"a,b\""},
        {" x", "\" x\"", "\" x\""},
        {"x\t", "\"x\t\"", "\"x\t\""},
        {"", "", "\"\""},
        {"上昇"_sj, "上昇"_sj, "\"上昇\""_sj},
        // A double quote inside a text: only unquoted does it read back.
        {"say \"hi\"", "say \"hi\"", "say \"hi\""},
        {"/home/t/my\"dir/", "/home/t/my\"dir/", "/home/t/my\"dir/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fieldText(c.text), c.plain);
        EXPECT_EQ(quotedField(c.text), c.quoted);
        for (const std::string& field : {c.plain, c.quoted}) {
            const std::string line = field + ",next\r\n";
            runtime::FieldReader in(line);
            EXPECT_EQ(in.readField(), c.text) << field;  // reads back whole
            EXPECT_EQ(in.readField(), "next");
        }
    }
}

TEST(FieldText, TextsNoFieldCanHoldAreRefused) {
    for (const char* text : {"\"lead", "a\"b,c", " a\"b", "a\"b ", "line\r\nbreak", "cut\x1A", "lf\n"}) {
        EXPECT_FALSE(fieldCanHold(text)) << text;
        for (auto write : {fieldText, quotedField}) {
            try {
                write(text);
                ADD_FAILURE() << "written: " << text;
            } catch (const runtime::RuntimeError& e) {
                EXPECT_EQ(e.number(), runtime::err::IllegalArgument);
            }
        }
    }
    EXPECT_TRUE(fieldCanHold("a\"b"));
}
