#include <gtest/gtest.h>

#include "common/header_reader.hpp"
#include "common/basic_data/basic_data_file.hpp"
#include "runtime/sjis.hpp"

using namespace common;
using namespace runtime::literals;

namespace {

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
}

BasicData sample() {
    BasicData d = defaultBasicData();
    d.tradeCounter = 12;
    d.groups[1].name = "トレンド"_sj;
    d.groups[1].used = 1;
    auto& item = d.groups[1].items[1];
    item.name = "方向"_sj;
    item.used = 1;
    item.count = 2;
    item.choices[1] = "上昇"_sj;
    item.choices[2] = "下降"_sj;
    d.groups[2].items[0].name = "ゼロ"_sj;
    d.options[3].name = "指標"_sj;
    d.options[3].count = 1;
    d.options[3].choices[1] = "雇用統計"_sj;
    d.groupChartMark[0][2] = 1;
    d.groupChartLabel[0][2] = "/home/t/cg/"_sj;
    d.optionChartMark[3] = 1;
    d.optionChartLabel[3] = "/home/t/op,3/";
    return d;
}

}  // namespace

TEST(BasicDataFile, WritingWhatWasReadGivesTheSameBytes) {
    for (const BasicData& d : {defaultBasicData(), sample()}) {
        const std::string file = writeBasicData(d);
        BasicData back = defaultBasicData();
        readBasicData(file, back);
        EXPECT_EQ(writeBasicData(back), file);
    }
    BasicData back = defaultBasicData();
    readBasicData(writeBasicData(sample()), back);
    EXPECT_EQ(back.tradeCounter, 12.0f);
    EXPECT_EQ(back.groups[1].items[1].choices[2], "下降"_sj);
    EXPECT_EQ(back.groups[1].used, 1);
    EXPECT_EQ(back.groups[2].items[0].name, "ゼロ"_sj);
    EXPECT_EQ(back.optionChartLabel[3], "/home/t/op,3/");  // quoted: the comma survives
    EXPECT_EQ(back.groupChartMark[0][2], 1);
}

TEST(BasicDataFile, LayoutOfTheWrittenFile) {
    const std::string file = writeBasicData(defaultBasicData());
    EXPECT_EQ(file.substr(0, file.find("\r\n")), "0300_取引ナンバー,48"_sj);  // counter 0 is the code of "0"
    EXPECT_NE(file.find("0300_通貨単位, 10000\r\n"_sj), std::string::npos);
    EXPECT_NE(file.find("0300_時間足, 3\r\n１分足,１分足,５分足相当,１５分足相当\r\n"_sj), std::string::npos);
    EXPECT_EQ(countOf(file, "0300_グループ０２－"_sj), 4);
    EXPECT_EQ(countOf(file, "0300_グループ０１－"_sj), 3);
    EXPECT_EQ(countOf(file, "0300_グループ１１－３, 0\r\n項目名,\r\n"_sj + std::string(33, '-')), 1);
    EXPECT_EQ(countOf(file, "CGG"), 0);  // no marks: the block is left out whole
    EXPECT_EQ(countOf(file, "CGO"), 0);
    EXPECT_EQ(file.substr(file.size() - 35), std::string(33, '-') + "\r\n");

    const std::string marked = writeBasicData(sample());
    EXPECT_NE(marked.find("0300_ＣＧ選択肢CGG, 1\r\n 0, 2,\"/home/t/cg/\"\r\n"_sj), std::string::npos);
    // The marks come before the group blocks, so that they are known when a block is read.
    EXPECT_LT(marked.find("CGO"), marked.find("0300_グループ０１,0"_sj));
}

TEST(BasicDataFile, ReadingRules) {
    BasicData d = defaultBasicData();
    readBasicData("0300_取引状況,3\r\nA\r\nB\r\nC\r\n"
                  "0300_グループ０１,7\r\nグループ名,G1\r\n"
                  "0300_取引ナンバー,4950\r\n0301_取引ナンバー,4951\r\n"
                  "0300_未知のキー,1\r\n"
                  "0301_ストック量,99\r\n"_sj,
                  d);
    EXPECT_EQ(d.tradeStateCount, 3);
    EXPECT_EQ(d.tradeStates[3], "C");
    EXPECT_EQ(d.tradeStates[4], "取引終了"_sj);  // beyond the count: the default stays
    EXPECT_EQ(d.groups[1].name, "G1");           // the group header's value is not read
    EXPECT_EQ(d.tradeCounter, 12.0f);            // the later version's counter is skipped
    EXPECT_EQ(d.stockCapacity, 10);
}

TEST(BasicDataFile, FaultsStopTheReading) {
    BasicData d = defaultBasicData();
    try {
        readBasicData("0301_通貨ペア,4\r\nUSD/JPY\r\nEUR/USD\r\nGBP/JPY\r\nAUD/JPY\r\n"_sj, d);
        ADD_FAILURE() << "a later version's list lines are read as headers";
    } catch (const HeaderError& e) {
        EXPECT_EQ(e.caption(), "USD/JPY←ヘッダーエラー"_sj);
        EXPECT_EQ(e.text(), "基本データ.TXTの上記のヘッダーを修正して下さい"_sj);
    }
    for (const std::string& file : {"0300_通貨ペア,21\r\n"_sj, "0300_取引状況,7\r\n"_sj, "0300_グループ０３－１,21\r\n"_sj}) {
        try {
            readBasicData(file, d);
            ADD_FAILURE() << runtime::toUtf8(file);
        } catch (const DataError& e) {
            EXPECT_NE(e.text().find("基本データ.TXT"_sj), std::string::npos);
            EXPECT_NE(e.caption().find("←項目数エラー"_sj), std::string::npos);
            EXPECT_NE(e.text().find(e.caption().substr(0, e.caption().find("←"_sj))), std::string::npos);
        }
    }
}
