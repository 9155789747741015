#include <gtest/gtest.h>

#include <vector>

#include "common/header.hpp"
#include "common/header_reader.hpp"
#include "runtime/sjis.hpp"

using namespace common;
using namespace runtime::literals;

TEST(HeaderSplit, NumberAndKeyAtTheFirstUnderscore) {
    struct Case {
        std::string header;
        std::int16_t number;
        std::string key;
    } cases[] = {
        {"0300_ストック量"_sj, 300, "ストック量"_sj},
        {"0301_グループ０１－１"_sj, 301, "グループ０１－１"_sj},
        {"0300_A_B", 300, "A_B"},
        {"0000_ストック量"_sj, 0, "ストック量"_sj},  // splits, but number 0: a header error
        {"ストック量"_sj, 0, "before"},             // no "_": the key stays as it was
        {"99999_X", 0, "X"},                       // beyond 16 bits: a header error too
        {"abc_X", 0, "X"},
        {"0300_", 300, ""},
        {"300_X", 300, "X"},
        {" 0300_X", 300, "X"},
        {"0３00_X"_sj, 0, "X"},
    };
    for (const auto& c : cases) {
        std::int16_t number = -1;
        std::string key = "before";
        PX$ヘッダー分離_SUB(number, key, c.header);
        EXPECT_EQ(number, c.number) << c.header;
        EXPECT_EQ(key, c.key) << c.header;
    }
}

TEST(HeaderJoin, PadsNumberToFourDigits) {
    struct Case {
        std::int16_t number;
        std::string expected;
    } cases[] = {
        {300, "0300_通貨単位,"_sj},
        {7, "0007_通貨単位,"_sj},
        {12345, "12345_通貨単位,"_sj},
    };
    for (const auto& c : cases) {
        std::string result;
        PX$ヘッダー結合_SUB(c.number, "通貨単位"_sj, result);
        EXPECT_EQ(result, c.expected);
    }
}

namespace {

struct ReadResult {
    std::vector<HeaderEntry> entries;
    std::string caption, text;  // of the header error, if any
};

ReadResult readAll(const std::string& file, HeaderCaption style) {
    runtime::FieldReader in(file);
    HeaderReader reader(in, kDataVersion, "基本データ.TXTの上記のヘッダーを修正して下さい"_sj, style);
    ReadResult r;
    try {
        while (auto e = reader.next()) r.entries.push_back(*e);
    } catch (const HeaderError& e) {
        r.caption = e.caption();
        r.text = e.text();
    }
    return r;
}

}  // namespace

TEST(HeaderReader, SkipsCommentsSeparatorsAndEmptyLinesAndMarksLaterVersions) {
    const std::string file = kSeparatorLine + "\r\n" +
                             "'ここから下は各項目の数値のみ変更可能\r\n"_sj + kSeparatorLine + "\r\n" +
                             "0300_ストック量,10\r\n"
                             "\r\n"
                             "0301_通貨単位, 20000 \r\n"
                             "0300_パス,\"C:,x\"\r\n"
                             "0300_空,\r\n"_sj;
    const ReadResult r = readAll(file, HeaderCaption::BadHeaderOnly);
    ASSERT_EQ(r.caption, "");
    ASSERT_EQ(r.entries.size(), 4u);
    EXPECT_EQ(r.entries[0].key, "ストック量"_sj);
    EXPECT_EQ(r.entries[0].value, "10");
    EXPECT_TRUE(r.entries[0].applies);
    EXPECT_EQ(r.entries[1].number, 301);
    EXPECT_EQ(r.entries[1].value, "20000");
    EXPECT_FALSE(r.entries[1].applies);
    EXPECT_EQ(r.entries[2].value, "C:,x");
    EXPECT_EQ(r.entries[3].value, "");
}

TEST(HeaderReader, ListLinesAreReadFromTheSameStream) {
    runtime::FieldReader in("0300_通貨ペア,2\r\nUSD/JPY\r\nAUD/JPY\r\n0300_ストック量,10\r\n"_sj);
    HeaderReader reader(in, kDataVersion, "x", HeaderCaption::BadHeaderOnly);
    auto e = reader.next();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->value, "2");
    EXPECT_EQ(reader.in().readField(), "USD/JPY");
    EXPECT_EQ(reader.in().readField(), "AUD/JPY");
    e = reader.next();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->key, "ストック量"_sj);
    EXPECT_FALSE(reader.next());
}

TEST(HeaderReader, HeaderErrorsNameTheHeaderAndTheFile) {
    struct Case {
        std::string file;
        HeaderCaption style;
        std::string caption;
    } cases[] = {
        {"ストック量,10\r\n"_sj, HeaderCaption::BadHeaderOnly, "ストック量←ヘッダーエラー"_sj},
        {"0000_ストック量,10\r\n"_sj, HeaderCaption::BadHeaderOnly,
         "0000_ストック量←ヘッダーエラー"_sj},
        // The trade files name the last key that split, then two blanks.
        {"0300_取引ナンバー,5\r\nBAD,1\r\n"_sj, HeaderCaption::WithLastKey,
         "取引ナンバー  BAD←ヘッダーエラー"_sj},
        {"BAD,1\r\n", HeaderCaption::WithLastKey, "  BAD←ヘッダーエラー"_sj},
        // A comment holding a comma reads as two fields: the second is taken as a header.
        {"'a,b\r\n0300_K,1\r\n", HeaderCaption::BadHeaderOnly, "b←ヘッダーエラー"_sj},
        // A later version's list lines are not read: they come back as bad headers.
        {"0301_通貨ペア,1\r\nUSD/JPY\r\n"_sj, HeaderCaption::BadHeaderOnly,
         "USD/JPY←ヘッダーエラー"_sj},
    };
    for (const auto& c : cases) {
        const ReadResult r = readAll(c.file, c.style);
        EXPECT_EQ(r.caption, c.caption) << runtime::toUtf8(c.file);
        EXPECT_EQ(r.text, "基本データ.TXTの上記のヘッダーを修正して下さい"_sj);
    }
}
