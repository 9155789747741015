#include <gtest/gtest.h>

#include <string>

#include "common/header_reader.hpp"
#include "diary/files/trade_file.hpp"
#include "runtime/sjis.hpp"

using namespace diary;
using namespace runtime::literals;

namespace {

// UTF-8 lines joined with CR LF and turned into Shift-JIS, as the diary writes its files.
std::string sjisLines(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) out += runtime::fromUtf8(l) + "\r\n";
    return out;
}

BasicData basicWithGroups() {
    BasicData d = defaultBasicData();
    Group& trend = d.groups[1];
    trend.name = "トレンド"_sj;
    trend.used = 1;
    trend.items[1] = {"方向"_sj, 1, 2, {"未設定"_sj, "上昇"_sj, "下降"_sj}};
    trend.items[2] = {"MIDDLE", 1, 1, {"未設定"_sj, "押し目"_sj}};
    Group& second = d.groups[2];
    second.name = "環境"_sj;
    second.used = 1;
    second.items[0] = {"ゼロ"_sj, 1, 1, {"未設定"_sj, "有り"_sj}};
    Option& o = d.options[3];
    o.name = "指標"_sj;
    o.used = 1;
    o.count = 1;
    o.choices[1] = "雇用統計"_sj;
    return d;
}

NewRecordDefaults defaultsOf(const BasicData& b) {
    NewRecordDefaults blank;
    auto items = blank.itemLabel;
    auto options = blank.optionLabel;
    for (int g = 1; g <= kGroupCount; ++g)
        for (int i = 0; i <= 3; ++i) items[g][i] = b.groups[g].items[i].name;
    for (int k = 1; k <= kOptionCount; ++k) options[k] = b.options[k].name;
    return newRecordDefaults(b, items, options);
}

// An open buy trade of 2 lots with every field set.
TradeRecord openEntry(const NewRecordDefaults& defaults) {
    TradeRecord r;
    initialiseRecord(r, defaults);
    r.tradeNumber = 7;
    r.recordKind = 0;
    r.status = "取引中"_sj;
    r.statusTime = "2009/03/05_14:07:09";
    r.confirmTime = "2009/03/05_14:06:00";
    r.pairIndex = 1;
    r.pairName = "USD/JPY";
    r.sideIndex = 2;
    r.sideName = "買い"_sj;
    r.priceText = "110.5";
    r.priceInteger = "110";
    r.priceFraction = "5";
    r.orderLots = 2;
    r.remainingLots = 2;
    r.lotUnit = 10000;
    r.timeframeIndex = 2;
    r.timeframeName = "５分足"_sj;
    r.stopChart = "STOP7.BMP";
    r.stopInteger = "110";
    r.stopFraction = "2";
    r.carryStopInteger = "110";
    r.carryStopFraction = "2";
    r.stopTime = r.carryStopTime = "2009/03/05_14:06:30";
    r.targetInteger = "111";
    r.targetFraction = "00";
    r.carryTargetInteger = "111";
    r.carryTargetFraction = "00";
    r.targetTime = r.carryTargetTime = "2009/03/05_14:06:40";
    r.memoLineCount = 2;
    r.memoText = "押し目買い, 様子見\r\n  二行目"_sj;
    r.memoChart[2] = "MEMO2.JPG";
    r.groups[1].chart = "G1.BMP";
    r.groups[1].items[1] = {"方向"_sj, 1, "上昇"_sj, "2009/03/05_14:05:00"};
    r.groups[1].items[2] = {"１５分足相当"_sj, 0, "未設定"_sj, ""};
    r.groups[2].items[0] = {"ゼロ"_sj, 1, "有り"_sj, "2009/03/05_14:05:10"};
    r.options[3].choice = {"指標"_sj, 1, "雇用統計"_sj, "2009/03/05_14:05:20"};
    return r;
}

}  // namespace

TEST(TradeFile, ARecordIsWrittenLineForLine) {
    const BasicData basic = basicWithGroups();
    const std::string expected = sjisLines({
        "********** ここから **********",
        "0300_取引ナンバー, 7",
        "---------------------------------",
        "0300_処理区分, 0",
        "---------------------------------",
        "0300_取引状況, 0",
        "取引中,\"2009/03/05_14:07:09\"",
        "---------------------------------",
        "0300_日時確定, 0",
        "\"2009/03/05_14:06:00\"",
        "---------------------------------",
        "0300_通貨ペア,1_USD/JPY",
        "---------------------------------",
        "0300_売買項目,2_買い",
        "---------------------------------",
        "0300_価格,110.5",
        "110",
        "5",
        "---------------------------------",
        "0300_注文枚数, 2",
        "---------------------------------",
        "0300_注文残枚数, 2",
        "---------------------------------",
        "0300_決済枚数, 0",
        "---------------------------------",
        "0300_通貨単位, 10000",
        "---------------------------------",
        "0300_基本時間足,2_５分足",
        "---------------------------------",
        "0300_損切り価格,STOP7.BMP",
        "110",
        "2",
        "110",
        "2",
        "\"2009/03/05_14:06:30\"",
        "\"2009/03/05_14:06:30\"",
        "---------------------------------",
        "0300_決済目標価格,ＣＧ無し",
        "111",
        "00",
        "111",
        "00",
        "\"2009/03/05_14:06:40\"",
        "\"2009/03/05_14:06:40\"",
        "---------------------------------",
        "0300_基本損益, 0",
        "---------------------------------",
        "0300_損益, 0",
        "---------------------------------",
        "0300_損益額, 0",
        "---------------------------------",
        "0300_メモ, 2",
        "",
        "MEMO2.JPG",
        "",
        "",
        "",
        "押し目買い, 様子見",
        "  二行目",
        "---------------------------------",
        "0300_グループ０１,G1.BMP",
        "トレンド",
        "0300_グループ０１－１,方向",
        "1_上昇,\"2009/03/05_14:05:00\"",
        "0300_グループ０１－２,１５分足相当",
        "0_未設定,\"\"",
        "---------------------------------",
        "0300_グループ０２,",
        "環境",
        "0300_グループ０２－０,ゼロ",
        "1_有り,\"2009/03/05_14:05:10\"",
        "---------------------------------",
        "0300_オプション３,",
        "指標",
        "1_雇用統計,\"2009/03/05_14:05:20\"",
        "---------------------------------",
        "---------- ここまで ----------",
        "",
    });
    EXPECT_EQ(runtime::toUtf8(writeTradeRecord(openEntry(defaultsOf(basic)), basic)), runtime::toUtf8(expected));
}

TEST(TradeFile, EveryFieldReadsBackAndWritesTheSameBytes) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    TradeTable table;
    table.dimension(10);
    table.at(0) = openEntry(defaults);
    TradeRecord& settle = table.at(1);
    initialiseRecord(settle, defaults);
    settle = openEntry(defaults);
    settle.recordKind = 1;
    settle.status = "決済保留"_sj;
    settle.sideIndex = 1;
    settle.sideName = "売り"_sj;
    settle.settleLots = 1;
    settle.remainingLots = 1;
    settle.basePL = runtime::Decimal::fromText("-0.20001");
    settle.tradePL = runtime::Decimal::fromText("123456.5");
    settle.tradePLAmount = runtime::Decimal::fromText("-987654321.12345");
    settle.memoLineCount = 1;
    settle.memoText = "";
    table.lastIndex = 1;
    const TradeFileTexts written = writeTradeFiles(table, basic, defaults);
    EXPECT_TRUE(written.archiveAppend.empty());

    TradeTable back;
    back.dimension(10);
    readTradeFile(written.inProgress, TradeFileKind::InProgress, basic, defaults, back);
    ASSERT_EQ(back.lastIndex, 1);
    const TradeRecord& r = back.at(1);
    EXPECT_EQ(r.status, "決済保留"_sj);
    EXPECT_EQ(r.statusTime, "2009/03/05_14:07:09");
    EXPECT_EQ(r.basePL.value(), runtime::Decimal::fromText("-0.20001"));
    EXPECT_EQ(r.tradePLAmount.value(), runtime::Decimal::fromText("-987654321.12345"));
    EXPECT_EQ(r.memoText, "");  // an empty memo saved from the screen: one empty line
    EXPECT_EQ(r.memoLineCount, 1);
    EXPECT_EQ(back.at(0).memoText, "押し目買い, 様子見\r\n  二行目"_sj);
    EXPECT_EQ(back.at(0).memoChart[2], "MEMO2.JPG");
    EXPECT_EQ(back.at(0).groups[1].items[1].time, "2009/03/05_14:05:00");
    EXPECT_EQ(back.at(0).groups[2].items[0].text, "有り"_sj);
    EXPECT_EQ(back.at(0).options[3].choice.index, 1);
    EXPECT_EQ(back.at(0).targetTime, "2009/03/05_14:06:40");
    EXPECT_EQ(back.at(0).carryStopFraction, "2");
    EXPECT_EQ(writeTradeFiles(back, basic, defaults).inProgress, written.inProgress);
}

TEST(TradeFile, ClosedTradesGoToTheArchiveWithAMemoRecordAndCancelledOnesNowhere) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    TradeTable table;
    table.dimension(10);
    const auto put = [&](int n, float number, float kind, const char* status) {
        TradeRecord& r = table.at(n);
        initialiseRecord(r, defaults);
        r.tradeNumber = number;
        r.recordKind = kind;
        r.status = runtime::fromUtf8(status);
    };
    put(0, 1, 0, "取引終了");
    put(1, 2, 0, "取引中");
    put(2, 1, 1, "取引終了");
    put(3, 3, 0, "中止");
    put(4, 1, 1, "取引終了");
    table.lastIndex = 4;
    const TradeFileTexts written = writeTradeFiles(table, basic, defaults);

    TradeTable kept;
    kept.dimension(10);
    readTradeFile(written.inProgress, TradeFileKind::InProgress, basic, defaults, kept);
    ASSERT_EQ(kept.lastIndex, 0);
    EXPECT_EQ(kept.at(0).tradeNumber, 2);

    TradeTable archive;
    archive.dimension(countTradeRecords(written.archiveAppend));
    readTradeFile(written.archiveAppend, TradeFileKind::Archive, basic, defaults, archive);
    ASSERT_EQ(archive.lastIndex, 3);
    const char* statuses[] = {"取引中", "決済", "決済", "メモ"};
    const float kinds[] = {0, 1, 1, 1};
    for (int n = 0; n <= 3; ++n) {
        EXPECT_EQ(archive.at(n).status, runtime::fromUtf8(statuses[n])) << n;
        EXPECT_EQ(archive.at(n).recordKind, kinds[n]) << n;
        EXPECT_EQ(archive.at(n).tradeNumber, 1) << n;
    }
}

TEST(TradeFile, VersionRulesOfTheBlocks) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    // A version-200 stop-loss block has no date-time lines; a file without a target block
    // keeps the target empty; a 301 group block is kept with its number but not read.
    const std::string old = sjisLines({
        "********** ここから **********",
        "0200_損切り価格,",
        "110",
        "2",
        "110",
        "3",
        "0250_取引ナンバー, 4",
        "0250_損切り価格,S.BMP",
        "111",
        "4",
        "111",
        "5",
        "\"2009/01/01_00:00:01\"",
        "\"2009/01/01_00:00:02\"",
        "---------- ここまで ----------",
    });
    TradeTable t;
    t.dimension(3);
    readTradeFile(old, TradeFileKind::InProgress, basic, defaults, t);
    ASSERT_EQ(t.lastIndex, 0);
    EXPECT_EQ(t.at(0).tradeNumber, 4);
    EXPECT_EQ(t.at(0).stopChart, "S.BMP");
    EXPECT_EQ(t.at(0).carryStopFraction, "5");
    EXPECT_EQ(t.at(0).carryStopTime, "2009/01/01_00:00:02");
    EXPECT_EQ(t.at(0).targetInteger, "");
    EXPECT_EQ(t.at(0).confirmTime, "_");

    // A 301 group block is too new: its number is kept, its lines then read as headers.
    try {
        readTradeFile(sjisLines({"********** ここから **********", "0300_価格,1", "1", "", "0301_グループ０１,",
                                 "トレンド"}),
                      TradeFileKind::InProgress, basic, defaults, t);
        ADD_FAILURE() << "the group name line is a header error";
    } catch (const common::HeaderError& e) {
        EXPECT_EQ(e.caption(), "グループ０１  トレンド←ヘッダーエラー"_sj);
        EXPECT_EQ(e.text(), "取引中データ.TXTの上記のヘッダーを修正して下さい"_sj);
    }
    EXPECT_EQ(t.at(0).groups[1].version, 301);

    // A 250 target block is unknown to this reader: its lines are read as headers.
    try {
        readTradeFile(sjisLines({"********** ここから **********", "0250_決済目標価格,ＣＧ無し", "111"}),
                      TradeFileKind::Archive, basic, defaults, t);
        ADD_FAILURE() << "the target lines are header errors";
    } catch (const common::HeaderError& e) {
        EXPECT_EQ(e.caption(), "決済目標価格  111←ヘッダーエラー"_sj);
        EXPECT_EQ(e.text(), "整理データ.TXTの上記のヘッダーを修正して下さい"_sj);
    }

    // Group 1 has no sub-item 0: that key is unknown and skipped with its value.
    t.dimension(3);
    readTradeFile(sjisLines({"********** ここから **********", "0300_グループ０１－０,ラベル", "0300_取引ナンバー, 9"}),
                  TradeFileKind::InProgress, basic, defaults, t);
    EXPECT_EQ(t.at(0).tradeNumber, 9);
    EXPECT_EQ(t.at(0).groups[1].items[0].label, "");
}

TEST(TradeFile, GroupNamesInTheFileReplaceTheConfiguredOnesAndAreMetOnce) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    TradeTable t;
    t.dimension(3);
    const std::string file = sjisLines({
        "********** ここから **********", "0300_オプション３,", "古い指標", "0_未設定,\"\"", "0300_グループ０２,",
        "昔の環境",                        "********** ここから **********", "0300_グループ０２,", "別名",
    });
    const TradeFileReading found = readTradeFile(file, TradeFileKind::Archive, basic, defaults, t);
    EXPECT_EQ(basic.groups[2].name, "別名"_sj);
    ASSERT_EQ(found.namesMet.size(), 2u);
    EXPECT_EQ(found.namesMet[0].key, 2);
    EXPECT_EQ(found.namesMet[0].name, "古い指標"_sj);
    EXPECT_EQ(found.namesMet[1].key, 6);
    EXPECT_EQ(found.namesMet[1].name, "昔の環境"_sj);
}

TEST(TradeFile, AFileWithMoreRecordsThanSlotsStopsWithItsOwnMessage) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    TradeTable t;
    t.dimension(1);  // two slots
    std::string file;
    for (int n = 0; n < 3; ++n) file += sjisLines({"********** ここから **********", "0300_取引ナンバー, 1"});
    try {
        readTradeFile(file, TradeFileKind::InProgress, basic, defaults, t);
        ADD_FAILURE() << "three records in two slots";
    } catch (const common::DataError& e) {
        EXPECT_EQ(e.caption(), "ストック量エラー"_sj);
        EXPECT_EQ(e.text(), "取引中データ.TXTの取引データが2件を超えています。\r\n基本データ.TXTのストック量（1）を増やして下さい。"_sj);
        EXPECT_EQ(common::lineAt(file, e.offset()), 5);
    }
}

TEST(TradeFile, PasteTakesOnlyTheTickedFieldsAndStaysInStep) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    const std::string copy = writeTradeRecord(openEntry(defaults), basic);
    TradeRecord r;
    initialiseRecord(r, defaults);
    r.tradeNumber = 12;
    PasteSelection pick;
    pick.price = true;
    pick.memo = true;
    pick.groups[2] = true;
    readCopyFile(copy, pick, r);
    EXPECT_EQ(r.tradeNumber, 12);  // never taken
    EXPECT_EQ(r.orderLots, 10);
    EXPECT_EQ(r.status, "");
    EXPECT_EQ(r.priceText, "110.5");
    EXPECT_EQ(r.pairIndex, 0);  // not ticked
    EXPECT_EQ(r.stopInteger, "");
    EXPECT_EQ(r.memoText, "押し目買い, 様子見\r\n  二行目"_sj);
    EXPECT_EQ(r.groups[1].items[1].index, 0);
    EXPECT_EQ(r.groups[2].items[0].text, "有り"_sj);
    EXPECT_EQ(r.options[3].choice.index, 0);

    try {
        readCopyFile("0300_価格,1\r\n1\r\n5\r\nbad,x\r\n"_sj, pick, r);
        ADD_FAILURE() << "a line without a header number";
    } catch (const common::HeaderError& e) {
        EXPECT_EQ(e.caption(), "価格  bad←ヘッダーエラー"_sj);
        EXPECT_EQ(e.text(), "コピーデータ.TXTの上記のヘッダーを修正して下さい"_sj);
    }
}

TEST(TradeFile, AValueTheDecimalCannotHoldStopsTheReading) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    TradeTable t;
    t.dimension(2);
    try {
        readTradeFile(sjisLines({"********** ここから **********", "0300_基本損益,1234.5"}), TradeFileKind::InProgress,
                      basic, defaults, t);
        ADD_FAILURE() << "four integer digits in a -3.5 value";
    } catch (const common::DataError& e) {
        EXPECT_EQ(e.caption(), "基本損益←設定値エラー"_sj);
    }
}

TEST(TradeFile, AnArchiveCutOffInsideARecordKeepsItsWholeRecords) {
    const BasicData basic = basicWithGroups();
    const std::string whole = writeTradeRecord(openEntry(defaultsOf(basic)), basic);
    const std::string cut = whole.substr(0, whole.size() / 2);
    struct Case {
        std::string text, complete, tail;
    } cases[] = {
        {whole + whole, whole + whole, ""},
        {whole + "\r\n\r\n'comment\r\n---------------------------------\r\n", whole + "\r\n\r\n'comment\r\n---------------------------------\r\n", ""},
        {whole + cut, whole, cut},
        {cut, "", cut},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const ArchiveText split = splitArchive(c.text);
        EXPECT_EQ(split.complete, c.complete);
        EXPECT_EQ(split.tail, c.tail);
    }
}

TEST(TradeFile, TheRecordCountCountsEveryFieldThatIsARecordStart) {
    // The count dimensions the review's table: it must cover every record start the
    // reading can meet, in any field of any line, and nothing after the end-of-file byte.
    const std::string start = "********** ここから **********"_sj;
    struct Case {
        std::string text;
        int count;
    } cases[] = {
        {start + "\r\n", 1},
        {start, 1},  // no line end after the last line
        {"  " + start + " \t\r\n", 1},
        {"\"" + start + "\"\r\n", 1},
        {"\"" + start + "\r\n", 1},  // a quote that is not closed ends at the line end
        {"x," + start + "\r\n", 1},
        {start + "," + start + ",\r\n", 2},
        {"a\r" + start + "\rb\n" + start + "\n\r\n" + start + "\r\n", 3},
        {"x" + start + "\r\n" + start + "x\r\n", 0},
        {"\"a," + start + "\r\n", 0},     // inside an unclosed quoted field
        {"\"a\"" + start + "\r\n", 0},    // after a closing quote, dropped
        {"\"a," + start + "\"\r\n", 0},   // inside a quoted field with a comma
        {start + "\r\n\x1A" + start + "\r\n", 1},
        {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(countTradeRecords(c.text), c.count) << runtime::toUtf8(c.text);
}

TEST(TradeFile, ArchiveRecordsHoldOnlyTheirOwnBlocksAndCopiesAreTheirOwn) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    const std::string file = writeTradeRecord(openEntry(defaults), basic);
    TradeTable t;
    t.dimension(countTradeRecords(file));
    readTradeFile(file, TradeFileKind::Archive, basic, defaults, t);
    ASSERT_EQ(t.lastIndex, 0);
    const TradeRecord& read = t.at(0);
    for (int g = 1; g <= kGroupCount; ++g) EXPECT_EQ(read.groups.holds(g), g <= 2) << g;
    for (int k = 1; k <= kOptionCount; ++k) EXPECT_EQ(read.options.holds(k), k == 3) << k;
    // A block the record does not hold reads as none: not present, version 0.
    EXPECT_FALSE(read.groups[5].present);
    EXPECT_EQ(read.groups[5].version, 0);
    EXPECT_EQ(read.options[1].choice.text, "");

    // A copy holds blocks of its own: changing it leaves the original as it was, and
    // copying a record without a block over one with it takes the block away.
    TradeRecord copy = read;
    copy.groups[1].items[1].text = "下降"_sj;
    copy.options[4].chart = "OP4.JPG";
    EXPECT_EQ(read.groups[1].items[1].text, "上昇"_sj);
    EXPECT_FALSE(read.options.holds(4));
    copy = read;
    EXPECT_FALSE(copy.options.holds(4));
    EXPECT_EQ(copy.groups[1].items[1].text, "上昇"_sj);
    EXPECT_EQ(writeArchive(t, basic), file);
}

TEST(TradeFile, ErasingOrRedimensioningTheTableGivesBackItsSlots) {
    // After the review the table of the archive's thousands of slots is erased and
    // dimensioned by the stock capacity: the archive's storage must not stay behind.
    TradeTable t;
    t.dimension(5000);
    t.erase();
    EXPECT_EQ(t.records.capacity(), 0u);
    t.dimension(5000);
    t.dimension(10);
    EXPECT_EQ(t.slots(), 11);
    EXPECT_LT(t.records.capacity(), 100u);
}

TEST(TradeFile, AnArchiveOfMoreRecordsThanA16BitIndexHoldsIsReadWhole) {
    BasicData basic = basicWithGroups();
    const NewRecordDefaults defaults = defaultsOf(basic);
    const std::string record = sjisLines({"********** ここから **********", "0300_処理区分, 1",
                                          "---------- ここまで ----------"});
    std::string archive;
    for (int n = 0; n < 33000; ++n) archive += record;
    TradeTable t;
    t.dimension(countTradeRecords(archive));
    readTradeFile(archive, TradeFileKind::Archive, basic, defaults, t);
    EXPECT_EQ(t.lastIndex, 32999);
    EXPECT_EQ(t.at(32999).recordKind, 1);
}
