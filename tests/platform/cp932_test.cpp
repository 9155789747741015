// CP932 <-> UTF-8 at the window system's edges: hand-edited bytes that are not CP932 must
// neither crash nor vanish silently, and caret positions must map between the two.

#include <gtest/gtest.h>

#include "platform/cp932.hpp"

namespace platform {
namespace {

TEST(Cp932, ConvertsBothWaysWithTheCp932Table) {
    struct Case {
        const char* cp932;
        const char* utf8;
    };
    const Case cases[] = {
        {"\x83\x68\x83\x8B\x89\x7E", "ドル円"},
        {"\x81\x7C", "－"},  // CP932's full-width minus, not U+2212
        {"\xB1\xB2", "ｱｲ"},  // half-width katakana are one byte each
        {"USD/JPY", "USD/JPY"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
        EXPECT_EQ(utf8ToCp932(c.utf8), c.cp932) << c.utf8;
    }
}

TEST(Cp932, BytesThatAreNotCp932BecomeReplacementsAndTheRestSurvives) {
    struct Case {
        std::string cp932;
        const char* utf8;
    };
    const Case cases[] = {
        {"a\x82", "a\xEF\xBF\xBD"},                // a lead byte cut off at the end
        {"\xFF" "b", "\xEF\xBF\xBD" "b"},          // never a CP932 byte
        {"\x82\x20" "c", "\xEF\xBF\xBD c"},        // a lead byte before a byte that cannot trail
    };
    for (const Case& c : cases) EXPECT_EQ(cp932ToUtf8(c.cp932), c.utf8);
    EXPECT_EQ(utf8ToCp932("a\xC3(b"), "a?(b") << "invalid UTF-8";
    EXPECT_EQ(utf8ToCp932("€😀"), "??") << "characters CP932 cannot hold";
}

TEST(Cp932, ExactConversionRefusesWhatWouldNotComeBackTheSame) {
    EXPECT_EQ(utf8ToCp932Exact("チャート.jpg"), utf8ToCp932("チャート.jpg"));
    EXPECT_EQ(utf8ToCp932Exact("what?.bmp"), "what?.bmp");  // a real question mark stays
    for (const char* name : {"jürgen", "😀.bmp", "a\xC3(b", "€"}) EXPECT_FALSE(utf8ToCp932Exact(name)) << name;
}

TEST(Cp932, CaretPositionsMapBetweenBytesAndUtf8) {
    const std::string cp932 = utf8ToCp932("ドル円 1");
    const std::string utf8 = "ドル円 1";
    EXPECT_EQ(utf8Offset(cp932, 4), 6u);   // after "ドル": 4 bytes here, 6 in UTF-8
    EXPECT_EQ(cp932Offset(utf8, 6), 4u);
    EXPECT_EQ(utf8Offset(cp932, 99), utf8.size());
}

}  // namespace
}  // namespace platform
