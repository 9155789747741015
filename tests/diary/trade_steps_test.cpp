#include <gtest/gtest.h>

#include <string>

#include "diary/trades/profit.hpp"
#include "diary/trades/trade_list.hpp"
#include "diary/trades/trade_steps.hpp"
#include "runtime/error.hpp"
#include "runtime/sjis.hpp"

using namespace diary;
using namespace runtime::literals;

namespace {

using runtime::Decimal;

struct Fixture {
    BasicData basic = defaultBasicData();
    NewRecordDefaults defaults = newRecordDefaults(basic, {}, {});
    TradeTable table;
    Fixture() { table.dimension(10); }

    // A started entry: side 1 sells, 2 buys.
    int entry(std::int16_t side, const char* price, std::int16_t lots) {
        const int n = openNewTrade(table, basic, defaults);
        TradeRecord& r = table.at(n);
        r.sideIndex = side;
        r.priceText = price;
        startEntry(r, lots, basic);
        return n;
    }
    // A settlement of `lots` at `price`; true when it closed the trade.
    bool settleAt(int parent, const char* price, std::int16_t lots) {
        const int n = openSettlement(table, parent, defaults);
        table.at(n).priceText = price;
        last = n;
        return settle(table, n, lots, basic);
    }
    int last = -1;
};

Decimal dec(const char* text) { return Decimal::fromText(text); }

}  // namespace

TEST(Profit, ABuyTradeSettledWhole) {
    Fixture f;
    const int e = f.entry(2, "110.50", 2);
    EXPECT_TRUE(f.settleAt(e, "111.00", 2));
    const TradeRecord& n = f.table.at(f.last);
    EXPECT_EQ(n.sideIndex, 1);  // the settlement sells
    EXPECT_EQ(n.basePL.value(), dec("0.5"));
    EXPECT_EQ(n.tradePL.value(), dec("1"));
    EXPECT_EQ(n.tradePLAmount.value(), dec("10000"));
    EXPECT_EQ(f.table.at(e).tradePLAmount.value(), dec("10000"));
    for (int r : {e, f.last}) EXPECT_EQ(f.table.at(r).status, "取引終了"_sj);
}

TEST(Profit, ASellTradeInTwoSettlements) {
    Fixture f;
    const int e = f.entry(1, "110.00", 3);
    EXPECT_FALSE(f.settleAt(e, "110.20", 1));
    const int first = f.last;
    EXPECT_EQ(f.table.at(first).basePL.value(), dec("-0.2"));
    EXPECT_EQ(f.table.at(first).tradePL.value(), dec("-0.2"));
    EXPECT_EQ(f.table.at(first).tradePLAmount.value(), dec("-2000"));
    EXPECT_EQ(f.table.at(e).remainingLots, 2);
    EXPECT_EQ(f.table.at(first).status, "決済"_sj);
    EXPECT_TRUE(f.settleAt(e, "109.90", 5));  // more than remain: the remaining 2
    const TradeRecord& second = f.table.at(f.last);
    EXPECT_EQ(second.settleLots, 2);
    EXPECT_EQ(second.basePL.value(), dec("0.1"));
    EXPECT_EQ(second.tradePL.value(), dec("0.2"));
    EXPECT_EQ(f.table.at(e).tradePL.value(), dec("0"));
    EXPECT_EQ(second.tradePLAmount.value(), dec("0"));
    EXPECT_EQ(f.table.at(e).tradePLAmount.value(), dec("0"));
    EXPECT_EQ(f.table.at(e).remainingLots, 0);
}

TEST(Profit, FiveFractionDigitsStayExact) {
    Fixture f;
    const int e = f.entry(2, "0.91234", 1);
    f.settleAt(e, "0.9", 1);
    EXPECT_EQ(f.table.at(f.last).basePL.value(), dec("-0.01234"));
    EXPECT_EQ(f.table.at(f.last).tradePLAmount.value(), dec("-123.4"));
}

TEST(Profit, AnAmountBeyondItsDigitsLeavesTheTradeAsItWas) {
    Fixture f;
    f.basic.currencyUnit = 910000;
    f.defaults = newRecordDefaults(f.basic, {}, {});
    const int e = f.entry(2, "100", 10);
    f.table.at(e).lotUnit = 910000;
    const TradeRecord before = f.table.at(e);
    const int n = openSettlement(f.table, e, f.defaults);
    TradeRecord& r = f.table.at(n);
    r.priceText = "999";
    r.lotUnit = 910000;
    // 899 x 10 lots x 910000 has ten integer digits; the amount holds nine.
    try {
        settle(f.table, n, 10, f.basic);
        FAIL() << "the settlement was not refused";
    } catch (const runtime::RuntimeError& err) {
        EXPECT_EQ(err.number(), runtime::err::Overflow);
    }
    const TradeRecord& entry = f.table.at(e);
    EXPECT_EQ(entry.remainingLots, before.remainingLots);
    EXPECT_EQ(entry.tradePL.value(), before.tradePL.value());
    EXPECT_EQ(entry.status, before.status);
    EXPECT_EQ(r.remainingLots, 10);
    EXPECT_EQ(r.settleLots, 10);
    EXPECT_EQ(r.basePL.value(), dec("0"));
    EXPECT_TRUE(r.status.empty());
}

TEST(Profit, TextsOfTheClosedTradeWindowAreRightAligned) {
    const ProfitTexts t = profitTexts(dec("-2000"), dec("150.5"));
    EXPECT_EQ(t.thisSettlement, "この決済の損益  -2000"_sj);  // " -2000" against " 150.5"
    EXPECT_EQ(t.soFar, "ここまでの損益  150.5"_sj);
}

TEST(TradeSteps, NumbersAndTheSettlementRecord) {
    Fixture f;
    f.basic.tradeCounter = 41;
    const int e = f.entry(1, "110.00", 10);
    EXPECT_EQ(f.table.at(e).tradeNumber, 42);
    TradeRecord& entry = f.table.at(e);
    entry.stopInteger = "110";
    entry.stopFraction = "5";
    entry.stopTime = "2009/03/05_14:00:00";
    startEntry(entry, 10, f.basic);
    const int n = openSettlement(f.table, e, f.defaults);
    const TradeRecord& s = f.table.at(n);
    EXPECT_EQ(s.tradeNumber, 42);
    EXPECT_EQ(s.recordKind, 1);
    EXPECT_EQ(s.sideIndex, 2);
    EXPECT_EQ(s.settleLots, 10);
    EXPECT_EQ(s.stopFraction, "5");
    EXPECT_EQ(s.stopTime, "2009/03/05_14:00:00");
    EXPECT_EQ(f.table.parentIndex, e);

    // A new trade that is dropped gives its number and slot back.
    const int fresh = openNewTrade(f.table, f.basic, f.defaults);
    EXPECT_EQ(f.basic.tradeCounter, 43);
    dropNewTrade(f.table, f.basic);
    EXPECT_EQ(f.basic.tradeCounter, 42);
    EXPECT_EQ(f.table.lastIndex, fresh - 1);
}

TEST(TradeSteps, BackupFolderName) { EXPECT_EQ(backupFolderName("2009/03/05_14:07:09"), "090305_140709"); }

TEST(TradeList, NineColumnsAlignedInBytes) {
    Fixture f;
    const int e = f.entry(2, "110.5", 2);
    TradeRecord& r = f.table.at(e);
    r.statusTime = "2009/03/05_14:07:09";
    r.pairName = "USD/JPY";
    r.sideName = "買い"_sj;
    r.confirmTime = "2009/03/05_14:06:00";
    r.targetInteger = "111";
    r.targetFraction = "00";
    std::string price;
    EXPECT_EQ(tradeListLine(r, r, &price),
              "     1 : 2009/03/05_14:07:09 : 取引中   :  USD/JPY   : 110.5   : 買い : 2009/03/05_14:06:00 : "
              "111.00  :        "_sj);
    EXPECT_EQ(price, "110.5");
    // A new trade's blanks: price "0", "未設定" pair and side, confirmed "_".
    TradeRecord fresh;
    initialiseRecord(fresh, f.defaults);
    EXPECT_EQ(tradeListLine(fresh, fresh, &price), "     0 : " + std::string(19, ' ') + " :          : " +
                                                        std::string(10, ' ') + " : " + std::string(7, ' ') + " :      : " +
                                                        std::string(19, ' ') + " : " + std::string(7, ' ') + " : " +
                                                        std::string(7, ' '));
    EXPECT_EQ(price, "");
}

TEST(TradeList, AHeldSettlementStandsForItsTrade) {
    Fixture f;
    const int open = f.entry(2, "110.5", 10);
    f.table.at(open).confirmTime = "2009/03/05_14:06:00";
    f.settleAt(open, "111", 3);  // a partial settlement: "決済"
    const int held = openSettlement(f.table, open, f.defaults);
    f.table.at(held).status = "決済保留"_sj;
    f.table.at(held).priceText = "112";
    TradeRecord& waiting = f.table.at(openNewTrade(f.table, f.basic, f.defaults));
    waiting.status = "開始保留"_sj;
    const TradeList list = buildTradeList(f.table, f.basic, 10, false);
    ASSERT_EQ(list.lines.size(), 3u);
    EXPECT_EQ(list.listMap[0], held);
    // The held settlement's line shows the entry's price and confirmed date-time.
    EXPECT_EQ(list.listPrice[0], "110.5");
    EXPECT_NE(list.lines[0].find("2009/03/05_14:06:00"), std::string::npos);
    EXPECT_NE(list.lines[0].find("決済保留"_sj), std::string::npos);
    EXPECT_EQ(list.listMap[1], 3);
    EXPECT_EQ(list.lines[2], "新規取引"_sj);
    EXPECT_EQ(list.newTradePos, 2);
    EXPECT_EQ(list.listMap[2], 4);
}

TEST(TradeList, ANewTradeIsOfferedWhileASlotIsFree) {
    Fixture f;
    for (int n = 0; n < 10; ++n) f.table.at(openNewTrade(f.table, f.basic, f.defaults)).status = "開始保留"_sj;
    EXPECT_EQ(f.table.lastIndex, 9);
    EXPECT_TRUE(buildTradeList(f.table, f.basic, 10, false).newTradeOffered);
    EXPECT_FALSE(buildTradeList(f.table, f.basic, 10, true).newTradeOffered) << "a relocated folder";
    openNewTrade(f.table, f.basic, f.defaults);
    const TradeList full = buildTradeList(f.table, f.basic, 10, false);
    EXPECT_FALSE(full.newTradeOffered);
    EXPECT_EQ(full.newTradePos, -1);
    EXPECT_EQ(stockDisplay(10, f.table.lastIndex), "ストックサイズ： 10\r\nストック消費量： 11"_sj);
}
