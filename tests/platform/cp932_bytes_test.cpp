// The CP932 byte kit: character boundaries, cutting to a byte budget, ASCII letter case
// and file-name patterns. A trail byte that looks like an ASCII letter is never one.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.hpp"
#include "platform/cp932_bytes.hpp"

namespace platform {
namespace {

const std::string kKihon = "\x8A\xEE\x96\x7B";  // 基本 in CP932

TEST(Cp932Bytes, LeadBytesAndCharacterLengths) {
    // The edges of both lead-byte ranges, a half-width katakana and an ASCII letter.
    const struct {
        unsigned char byte;
        bool lead;
    } bytes[] = {{0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false}, {0xB1, false}, {0xDF, false},
                 {0xE0, true},  {0xFC, true}, {0xFD, false}, {0xFF, false}, {0x41, false}};
    for (const auto& b : bytes) EXPECT_EQ(isLeadByte(b.byte), b.lead) << int(b.byte);
    // "a", ソ (its trail byte is a backslash), a half-width ｱ, a lead byte cut off, the end.
    const std::string s = "a\x83\x5C\xB1\x81";
    const std::vector<bool> boundaries = {true, true, false, true, true, true};
    const std::vector<std::size_t> lengths = {1, 2, 0, 1, 1, 0};  // at each boundary
    for (std::size_t pos = 0; pos <= s.size(); ++pos) {
        EXPECT_EQ(isCharBoundary(s, pos), boundaries[pos]) << pos;
        if (boundaries[pos]) {
            EXPECT_EQ(charLength(s, pos), lengths[pos]) << pos;
        }
    }
    EXPECT_EQ(charLength(s, 99), 0u);
    EXPECT_FALSE(isCharBoundary(s, 99));
}

TEST(Cp932Bytes, FitBytesNeverKeepsHalfACharacter) {
    const struct {
        std::string text;
        std::size_t budget, kept;
    } cases[] = {
        {"abc", 2, 2},
        {"abc", 9, 3},
        {"a" + kKihon, 2, 1},  // 基 would end at byte 3
        {"a" + kKihon, 3, 3},
        {kKihon, 1, 0},
        {kKihon, 0, 0},
        {"ab\x81", 3, 3},  // a lead byte at the end is a character of its own
        {"", 4, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(fitBytes(c.text, c.budget), c.kept) << c.text << " in " << c.budget;
}

TEST(Cp932Bytes, OnlySingleByteAsciiLettersFold) {
    EXPECT_EQ(upperAscii(utf8ToCp932("chart.jpg表")), utf8ToCp932("CHART.JPG表"));
    EXPECT_EQ(upperAscii("a\x83\x61z\x83"), "A\x83\x61Z\x83") << "the trail byte 0x61 stays";
    const struct {
        std::string a, b;
        int order;
    } cases[] = {
        {"usd/jpy", "USD/JPY", 0},
        {"a.TXT", "B.txt", -1},
        {"B", "a", 1},
        {"abc", "ABCD", -1},
        {"", "", 0},
        {"_", "a", 1},  // letters compare as upper case: "A" (0x41) is before "_" (0x5F)
        {"x" + kKihon + "y", "X" + kKihon + "Y", 0},
        {kKihon.substr(0, 1) + "a", kKihon.substr(0, 1) + "A", 1},  // a two-byte character
        {"\x83", "\x83", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compareIgnoringCase(c.a, c.b), c.order) << c.a << " ~ " << c.b;
        EXPECT_EQ(compareIgnoringCase(c.b, c.a), -c.order) << c.b << " ~ " << c.a;
        EXPECT_EQ(sameIgnoringCase(c.a, c.b), c.order == 0);
        EXPECT_EQ(lessIgnoringCase(c.a, c.b), c.order < 0);
    }
}

// Pairs of two-byte characters whose trail bytes differ by 0x20, inside 0x41..0x5A and
// 0x61..0x7A: a fold over every byte takes each pair for one character.
struct TrailPair {
    const char* upper;  // trail byte 0x41..0x5A
    const char* lower;  // the same lead byte, trail byte + 0x20
};
const TrailPair trailPairs[] = {
    {"ア", "ヂ"}, {"窟", "径"}, {"、", "∥"}, {"雨", "泳"}, {"燾", "硤"}, {"ゴ", "ピ"},
};

TEST(Cp932Bytes, TwoByteCharactersWhoseTrailBytesLookLikeLettersNeverFold) {
    for (const TrailPair& p : trailPairs) {
        const std::string a = utf8ToCp932(p.upper), b = utf8ToCp932(p.lower);
        ASSERT_EQ(a.size(), 2u) << p.upper;
        ASSERT_EQ(b.size(), 2u) << p.lower;
        ASSERT_EQ(a[0], b[0]) << p.upper;
        ASSERT_EQ(static_cast<unsigned char>(a[1]) + 0x20, static_cast<unsigned char>(b[1])) << p.upper;
        ASSERT_TRUE(a[1] >= 'A' && a[1] <= 'Z') << p.upper;
        SCOPED_TRACE(std::string(p.upper) + " " + p.lower);

        EXPECT_FALSE(sameIgnoringCase(a, b));
        EXPECT_LT(compareIgnoringCase(a, b), 0) << "bytes order them";
        EXPECT_FALSE(sameIgnoringCase("x" + a + ".txt", "X" + b + ".TXT"));
        EXPECT_TRUE(sameIgnoringCase("x" + a + ".txt", "X" + a + ".TXT"));
        EXPECT_EQ(upperAscii(b), b);
        EXPECT_FALSE(matchesPattern(b + ".bmp", a + ".BMP"));
        EXPECT_TRUE(matchesPattern(b + ".bmp", b + ".BMP"));
    }
}

TEST(Cp932Bytes, PatternsGlobWithoutRegardToCase) {
    const struct {
        std::string name, pattern;
        bool matches;
    } cases[] = {
        {"chart.jpg", "*.JPG", true},
        {"CHART.JPG", "*.jpg", true},
        {"chart.jpeg", "*.JPG", false},
        {"chart.jpg.bak", "*.JPG", false},
        {"a.b.jpg", "*.jpg", true},
        {"abcabd", "*abd", true},
        {"aXbYc", "a*b*c", true},
        {"ab", "a*b*c", false},
        {"", "*", true},
        {"", "", true},
        {"a", "", false},
        {"a", "a**", true},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"file1.txt", "file?.TXT", true},
        {kKihon + ".TXT", "??.txt", true},    // a two-byte character is one character
        {kKihon + ".TXT", "???.txt", false},
        {kKihon + ".TXT", "*" + kKihon.substr(2) + ".TXT", true},
        {"\x83\x61", "*a", false},             // a trail byte is never a letter of its own
        {"\x83\x61", "?a", false},
        {"\x83\x61", "\x83\x41", false},       // two-byte characters compare exactly
        {"[x]", "[X]", true},
        {"README", "*.*", true},  // every entry, with or without an extension
        {"README", "*.", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

}  // namespace
}  // namespace platform
