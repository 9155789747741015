#include "runtime/field_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using runtime::FieldReader;
using Fields = std::vector<std::string>;

Fields allFields(std::string_view text) {
    FieldReader r(text);
    Fields out;
    // A reader that stops making progress would loop here; the bound turns that into a failure.
    for (std::size_t i = 0; !r.atEnd() && i <= text.size(); ++i) out.push_back(r.readField());
    EXPECT_TRUE(r.atEnd()) << "reader stuck at " << r.position();
    return out;
}

struct FieldCase {
    const char* what;
    std::string input;
    Fields expected;
};

TEST(FieldReader, ReadsTheFieldStreamAcrossLines) {
    const FieldCase cases[] = {
        {"fields continue on the next line", "a,b\r\nc", {"a", "b", "c"}},
        {"a comma before the line end gives an empty field", "a,\r\n", {"a", ""}},
        {"a comma at the very end gives no field after it", "a,", {"a"}},
        {"a comment line is two fields", "'x,y\r\n", {"'x", "y"}},
        {"quotes hold a comma", "\"a,b\"\r\n", {"a,b"}},
        {"quotes keep blanks", "\" a b \",c", {" a b ", "c"}},
        {"blanks around unquoted fields go", "  a b \t, \tc  \r\n", {"a b", "c"}},
        {"bytes after the closing quote are dropped", "\"ab\"cd,e", {"ab", "e"}},
        {"an unclosed quote ends at the line end", "\"ab,c\r\nd", {"ab,c", "d"}},
        {"empty quotes", "\"\",x", {"", "x"}},
        {"LF alone ends a line", "a\nb\n", {"a", "b"}},
        {"CR alone ends a line", "a\rb\r", {"a", "b"}},
        {"CR LF is one line end", "a\r\n\r\nb", {"a", "", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"an empty line is one empty field", "\r\n", {""}},
        {"a blank line is one empty field", "   \n", {""}},
        {"empty fields between commas", ",,\n", {"", "", ""}},
        {"0x1A ends the file", "a,b\x1A,c\r\nd", {"a", "b"}},
        {"0x1A first leaves nothing", "\x1A" "abc", {}},
        {"nothing at all", "", {}},
        {"two-byte characters pass whole", "\x8A\xEE\x96\x7B,\x83\x5C\r\n", {"\x8A\xEE\x96\x7B", "\x83\x5C"}},
        {"a lone lead byte at the end", "a,\x81", {"a", "\x81"}},
    };
    for (const auto& c : cases) EXPECT_EQ(allFields(c.input), c.expected) << c.what;
}

TEST(FieldReader, LineInputKeepsCommasAndQuotes) {
    FieldReader r("  a, \"b,c\" \r\nnext\rlast");
    EXPECT_EQ(r.readLine(), "  a, \"b,c\" ");
    EXPECT_EQ(r.readLine(), "next");
    EXPECT_EQ(r.readLine(), "last");
    EXPECT_TRUE(r.atEnd());
}

TEST(FieldReader, LineInputTakesTheRestOfALinePartlyReadByFields) {
    FieldReader r("a,b,c\r\nd");
    EXPECT_EQ(r.readField(), "a");
    EXPECT_EQ(r.readLine(), "b,c");
    EXPECT_EQ(r.readField(), "d");
}

TEST(FieldReader, ReadingPastTheEndGivesEmptyText) {
    FieldReader r("x\r\n");
    EXPECT_EQ(r.readField(), "x");
    ASSERT_TRUE(r.atEnd());
    EXPECT_EQ(r.readField(), "");
    EXPECT_EQ(r.readLine(), "");
    EXPECT_TRUE(r.atEnd());
}

TEST(FieldReader, EmptyLineInputIsEmptyText) {
    FieldReader r("\r\n\nz");
    EXPECT_EQ(r.readLine(), "");
    EXPECT_EQ(r.readLine(), "");
    EXPECT_EQ(r.readLine(), "z");
    EXPECT_TRUE(r.atEnd());
}

}  // namespace
