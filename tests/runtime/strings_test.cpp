#include <gtest/gtest.h>

#include "tests/runtime/error_number.hpp"

#include "runtime/error.hpp"
#include "runtime/sjis.hpp"
#include "runtime/strings.hpp"

using namespace runtime;
using namespace runtime::literals;


TEST(Sjis, LiteralIsTheRealShiftJisNameAndConvertedOnce) {
    const std::string& a = "基本データ.TXT"_sj;
    EXPECT_EQ(a, "\x8A\xEE\x96\x7B\x83\x66\x81\x5B\x83\x5E.TXT");
    EXPECT_EQ(&a, &"基本データ.TXT"_sj);
}

TEST(Sjis, Cp932MapsTheFullWidthDashAndSurvivesInvalidBytes) {
    EXPECT_EQ(toUtf8("\x81\x7C"), "\xEF\xBC\x8D");  // U+FF0D, not U+2212
    EXPECT_EQ(fromUtf8("\xEF\xBC\x8D"), "\x81\x7C");
    // An undefined two-byte code is one replacement, its trail byte included (so 0x5C
    // never surfaces as a backslash); a lead byte at the end is replaced too.
    EXPECT_EQ(toUtf8("a\x85\x40z\x81"), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
    EXPECT_EQ(toUtf8("\x85\x5C/x"), "\xEF\xBF\xBD/x");
    EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80x"), "?x");  // no CP932 form
    const std::string round = "\x8E\xE6\x88\xF8\x92\x86\x83\x66\x81\x5B\x83\x5E\xB1";  // 取引中データｱ
    EXPECT_EQ(fromUtf8(toUtf8(round)), round);
}

TEST(Sjis, HalfAndFullWidth) {
    struct Case {
        std::string full, half;
    } cases[] = {
        {"０７"_sj, "07"},     {"１１０．０２５"_sj, "110.025"}, {"－５"_sj, "-5"},
        {"　Ａｂ"_sj, " Ab"},  {"取引"_sj, "取引"_sj},          {"ｱ"_sj, "ｱ"_sj},
        {"＊？"_sj, "*?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toHalfWidth(c.full), c.half) << toUtf8(c.full);
        EXPECT_EQ(toFullWidth(c.half), c.full) << toUtf8(c.half);
    }
    EXPECT_EQ(toHalfWidth("￥"_sj), "\x5C");
}

TEST(Strings, SearchMatchesOnlyAtCharacterBoundaries) {
    // "ソ" is 0x83 0x5C: its trail byte is a backslash, which must not be found.
    const std::string s = "ソ\\"_sj;
    EXPECT_EQ(instr(s, "\\"), 3);
    EXPECT_EQ(instr("表_"_sj, "_"), 3);  // 0x95 0x5C, then "_"
    EXPECT_EQ(instr("0300_KEY_X", "_"), 5);
    EXPECT_EQ(instr(6, "0300_KEY_X", "_"), 9);
    EXPECT_EQ(instr("abc", "d"), 0);
    EXPECT_EQ(instr(2, "abc", ""), 2);
    EXPECT_EQ(instr(5, "abc", "a"), 0);
    // A start inside a two-byte character begins at the next character.
    EXPECT_EQ(instr(2, "ソ\\"_sj, "\\"), 3);
    EXPECT_RUNTIME_ERROR(instr(0, "abc", "a"), err::IllegalArgument);
}

TEST(Strings, Parts) {
    EXPECT_EQ(left("abcdef", 2), "ab");
    EXPECT_EQ(left("ab", 9), "ab");
    EXPECT_EQ(left("ab", -1), "");
    EXPECT_EQ(right("abcdef", 2), "ef");
    EXPECT_EQ(right("ab", 9), "ab");
    EXPECT_EQ(mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(mid("abcdef", 5), "ef");
    EXPECT_EQ(mid("abc", 4, 1), "");
    EXPECT_RUNTIME_ERROR(mid("abc", 0, 1), err::IllegalArgument);
}

TEST(Strings, MidReplaceKeepsTheLength) {
    struct Case {
        std::string target;
        long start, length;
        std::string repl, expected;
    } cases[] = {
        {"    ", 2, 2, "ab", " ab "},
        {"    ", 3, -1, "abcdef", "  ab"},  // cut at the end of the target
        {"    ", 1, 1, "xyz", "x   "},       // cut at the given length
        {"abcd", 2, 9, "", "abcd"},
    };
    for (auto c : cases) {
        midReplace(c.target, c.start, c.length, c.repl);
        EXPECT_EQ(c.target, c.expected);
    }
    std::string t = "ab";
    EXPECT_RUNTIME_ERROR(midReplace(t, 3, 1, "x"), err::IllegalArgument);
    EXPECT_RUNTIME_ERROR(midReplace(t, 0, 1, "x"), err::IllegalArgument);
}

TEST(Strings, CodesRepeatsAndBlanks) {
    EXPECT_EQ(chr(34), "\"");
    EXPECT_EQ(chr(27), "\x1B");
    EXPECT_EQ(chr(0x8140), "\x81\x40");
    EXPECT_EQ(asc("A"), 65);
    EXPECT_EQ(asc("　"_sj), 0x8140);
    EXPECT_RUNTIME_ERROR(asc(""), err::IllegalArgument);
    EXPECT_RUNTIME_ERROR(chr(0x4141), err::IllegalArgument);
    EXPECT_RUNTIME_ERROR(chr(-1), err::IllegalArgument);
    EXPECT_EQ(repeatChar(33, "-"), std::string(33, '-'));
    EXPECT_EQ(repeatChar(2, "★x"_sj), "★★"_sj);
    EXPECT_EQ(spaces(3), "   ");
    EXPECT_RUNTIME_ERROR(spaces(-1), err::IllegalArgument);
    EXPECT_LT(compare("abc", "abd"), 0);
    EXPECT_EQ(compare("", ""), 0);
    EXPECT_EQ(trimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(upperAscii("chart.jpg表"_sj), "CHART.JPG表"_sj);
}
