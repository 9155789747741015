#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_file.hpp"
#include "common/value_checks.hpp"
#include "runtime/sjis.hpp"

using namespace common;
using namespace runtime::literals;

TEST(TextFileWriter, HeaderLinesCarryTheDataVersionAndEndInCrLf) {
    TextFileWriter w;
    w.header("ストック量"_sj, " 10");
    w.separator();
    w.line();
    w.line("'comment");
    EXPECT_EQ(w.take(), "0300_ストック量, 10\r\n---------------------------------\r\n\r\n'comment\r\n"_sj);
}

TEST(TextFileKeys, FullWidthGroupItemAndOptionKeys) {
    EXPECT_EQ(groupKey(1), "グループ０１"_sj);
    EXPECT_EQ(groupKey(11), "グループ１１"_sj);
    EXPECT_EQ(groupItemKey(2, 0), "グループ０２－０"_sj);
    EXPECT_EQ(groupItemKey(10, 3), "グループ１０－３"_sj);
    EXPECT_EQ(optionKey(5), "オプション５"_sj);
}

namespace {

HeaderEntry entry(const std::string& key, const std::string& value) {
    HeaderEntry e;
    e.number = 300;
    e.key = key;
    e.value = value;
    e.applies = true;
    e.offset = 42;
    return e;
}

}  // namespace

TEST(ValueChecks, NumbersOutsideTheirRangeStopWithFileKeyAndRange) {
    struct Case {
        std::string value;
        bool ok;
        std::int16_t expected;
    } cases[] = {
        {" 10", true, 10}, {"1", true, 1}, {"9999", true, 9999}, {"0", false, 0},  {"-1", false, 0},
        {"-2", false, 0},  {"10000", false, 0}, {"abc", false, 0}, {"0.6", true, 1}, {"99999999", false, 0},
    };
    for (const auto& c : cases) {
        try {
            EXPECT_EQ(checkedNumber(entry("ストック量"_sj, c.value), "基本データ.TXT"_sj, 1, 9999), c.expected);
            EXPECT_TRUE(c.ok) << c.value;
        } catch (const DataError& e) {
            EXPECT_FALSE(c.ok) << c.value;
            EXPECT_EQ(e.caption(), "ストック量←設定値エラー"_sj);
            EXPECT_EQ(e.text(), "基本データ.TXTのストック量「"_sj + c.value + "」は使えません。\r\n1から9999までの数値にして下さい。"_sj);
            EXPECT_EQ(e.offset(), 42u);
        }
    }
}

TEST(ValueChecks, AFolderNameIsOnePlainName) {
    const std::vector<std::string> good = {"FXCG", "チャート"_sj, "a.b", "ソ"_sj /* its trail byte is 0x5C */};
    const std::vector<std::string> bad = {"", ".", "..", "../escaped", "a/b", "*", "cg?", "/abs"};
    for (const std::string& name : good) {
        EXPECT_TRUE(isPlainFolderName(name)) << name;
        EXPECT_EQ(checkedFolderName(entry("ＣＧフォルダ名"_sj, name), "基本データ.TXT"_sj), name);
    }
    for (const std::string& name : bad) {
        EXPECT_FALSE(isPlainFolderName(name)) << name;
        EXPECT_THROW(checkedFolderName(entry("ＣＧフォルダ名"_sj, name), "基本データ.TXT"_sj), DataError) << name;
    }
}

TEST(ValueChecks, ListCountsBeyondCapacityStop) {
    EXPECT_EQ(checkedCount(entry("通貨ペア"_sj, "-3"), "基本データ.TXT"_sj, 20), 0);
    EXPECT_EQ(checkedCount(entry("通貨ペア"_sj, "20"), "基本データ.TXT"_sj, 20), 20);
    try {
        checkedCount(entry("通貨ペア"_sj, "21"), "基本データ.TXT"_sj, 20);
        ADD_FAILURE() << "21 pairs";
    } catch (const DataError& e) {
        EXPECT_EQ(e.caption(), "通貨ペア←項目数エラー"_sj);
        EXPECT_EQ(e.text(), "基本データ.TXTの通貨ペアの項目数 21は最大20を超えています"_sj);
    }
}
