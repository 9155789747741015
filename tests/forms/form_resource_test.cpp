#include <gtest/gtest.h>

#include <cstring>

#include "runtime/error.hpp"
#include "runtime/form_resource.hpp"
#include "runtime/sjis.hpp"
#include "tools/forms/form_source.hpp"

using namespace runtime;
using namespace runtime::literals;

namespace {

const char* const kDemoSource = R"(# A small form with one control of most kinds
form DEMOFORM
  caption "取引基本設定"
  geometry 100 50 400 300
  state 1
control button BUTTON1
  caption "開始"
  geometry 10 10 80 24
  disabled
control edit EDIT1
  geometry 10 40 120 24
  font "ＭＳ ゴシック" 12 128
  maxlength 8
  ime 2
  number
control combo COMBO4
  geometry 10 70 120 200
  items "SHORT" "MIDDLE" "LONG"
control list LIST1
  geometry 140 10 200 100
control picture PICTURE1
  geometry 140 120 200 100
control vscroll VSCROLL1
  geometry 350 10 16 100
control label TEXT1
  caption "価　　格"
  geometry 10 100 80 20
  align center
  hidden
)";

std::uint16_t u16At(const std::vector<std::uint8_t>& b, std::size_t i) {
    return static_cast<std::uint16_t>(b[i] | (b[i + 1] << 8));
}

// Position just after the NUL of the first occurrence of `text` + NUL.
std::size_t after(const std::vector<std::uint8_t>& b, const std::string& text) {
    for (std::size_t i = 0; i + text.size() < b.size(); ++i)
        if (std::memcmp(&b[i], text.data(), text.size()) == 0 && b[i + text.size()] == 0)
            return i + text.size() + 1;
    ADD_FAILURE() << "not found: " << text;
    return 0;
}

int parseError(const std::vector<std::uint8_t>& bytes) {
    try {
        parseFormResource(bytes);
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(FormResource, CompiledSourceRoundTripsAndEndsOnTheClosingWord) {
    const FormResource res = tools::compileFormSource(kDemoSource);
    const auto bytes = writeFormResource(res);
    EXPECT_EQ(parseFormResource(bytes), res);
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes[0], 'P');
    EXPECT_EQ(bytes[1], 'V');
    EXPECT_EQ(u16At(bytes, 2), 1);
    EXPECT_EQ(u16At(bytes, 4), 0x0001);
    EXPECT_EQ(u16At(bytes, 6), 0x0009);
    const std::size_t object = after(bytes, "DEMOFORM");
    EXPECT_EQ(bytes[object], 0);
    EXPECT_EQ(u16At(bytes, object + 1), 0x70);
    EXPECT_EQ(u16At(bytes, bytes.size() - 2), 0x0002);

    EXPECT_EQ(res.form.caption, "取引基本設定"_sj);
    EXPECT_EQ(res.form.geometry, (FormGeometry{1, 100, 50, 400, 300}));
    ASSERT_EQ(res.controls.size(), 7u);
    EXPECT_EQ(res.controls[0].style & 0x08000000u, 0x08000000u);  // disabled
    EXPECT_EQ(res.controls[6].style & 0x10000000u, 0u);           // hidden
    EXPECT_EQ(res.controls[6].style & 3u, 1u);                     // centred
    EXPECT_EQ(res.controls[1].maxLength, 8u);
    EXPECT_EQ(res.controls[1].style & 0x2000u, 0x2000u);
}

TEST(FormResource, FontRecordIsFollowedByTheTagItNames) {
    const auto bytes = writeFormResource(tools::compileFormSource(kDemoSource));
    // Form: "FixedSys", charset, then 0x2C and the 14-byte block (300, 50, zeros), then 0x9F.
    std::size_t p = after(bytes, "FixedSys");
    EXPECT_EQ(u16At(bytes, p), 1);
    EXPECT_EQ(u16At(bytes, p + 2), 0x2C);
    EXPECT_EQ(u16At(bytes, p + 4), 300);
    EXPECT_EQ(u16At(bytes, p + 6), 50);
    EXPECT_EQ(u16At(bytes, p + 4 + 14), 0x9F);
    // Edit: the follow-tag is the input-method record, then the geometry.
    p = after(bytes, "ＭＳ ゴシック"_sj);
    EXPECT_EQ(u16At(bytes, p), 128);
    EXPECT_EQ(u16At(bytes, p + 2), 0xBA);
    EXPECT_EQ(u16At(bytes, p + 4), 2);
    EXPECT_EQ(u16At(bytes, p + 8), 0x9F);
    // Other controls: the geometry directly.
    p = after(bytes, "ＭＳ Ｐゴシック"_sj);
    EXPECT_EQ(u16At(bytes, p + 2), 0x9F);
}

TEST(FormResource, ItemsAndEventLists) {
    const FormResource res = tools::compileFormSource(kDemoSource);
    const auto items = splitItems(*res.controls[2].items);
    EXPECT_EQ(items, (std::vector<std::string>{"SHORT", "MIDDLE", "LONG"}));
    EXPECT_TRUE(splitItems(*res.controls[3].items).empty());

    std::vector<std::string> handlers;
    for (const auto& e : res.controls[4].events) handlers.push_back(e.handler);
    EXPECT_EQ(handlers, (std::vector<std::string>{"PICTURE1_CLICK", "PICTURE1_DBLCLICK", "PICTURE1_MOUSEDOWN",
                                                  "PICTURE1_MOUSEUP", "PICTURE1_MOUSEMOVE", "PICTURE1_DROPFILES",
                                                  "PICTURE1_MOUSEWHEEL"}));
    EXPECT_EQ(res.form.events.size(), 14u);
    EXPECT_EQ(res.form.events[1].handler, "DEMOFORM_END");
    EXPECT_EQ(res.controls[0].events, (std::vector<FormEventEntry>{{0x65, "BUTTON1_ON"}}));
}

TEST(FormResource, SourceFaultsNameTheirLine) {
    struct Case {
        std::string source;
        int line;
    } cases[] = {
        {"form F\ncontrol button B\n  colour 1\n", 3},
        {"form F\ncontrol button B\ncontrol edit B\n", 3},
        {"form F\ncontrol button ABCDEFGHIJKLMNOPQRSTUV\n", 2},  // 22 bytes
        {"form F\ncontrol button B\n  items \"a\"\n", 3},
        {"form F\n  caption \"\xF0\x9F\x98\x80\"\n", 2},  // no Shift-JIS form
        {"form F\ncontrol wheel W\n", 2},
        {"control button B\n", 1},
        {"form F\n  geometry 1 2 3\n", 2},
        {"form F\n  caption \"open\n", 2},
    };
    for (const auto& c : cases) {
        try {
            tools::compileFormSource(c.source);
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const tools::FormSourceError& e) {
            EXPECT_EQ(e.line(), c.line) << e.what();
        }
    }
    EXPECT_NO_THROW(tools::compileFormSource("form F\ncontrol button ABCDEFGHIJKLMNOPQRSTU\n"));  // 21
}

TEST(FormResource, MalformedBytesAreRejectedWithoutReadingPastTheEnd) {
    const auto good = writeFormResource(tools::compileFormSource(kDemoSource));
    for (std::size_t n = 0; n < good.size(); ++n) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        ASSERT_EQ(parseError(cut), err::SystemFailure) << "cut at " << n;
    }
    auto longer = good;
    longer.push_back(0);
    EXPECT_EQ(parseError(longer), err::SystemFailure);
    auto badTag = good;
    const std::size_t object = after(badTag, "DEMOFORM") + 1;
    badTag[object + 14] = 0x77;  // the record after the styles becomes an unknown tag
    EXPECT_EQ(parseError(badTag), err::SystemFailure);
}
