#include "bench/closed_trade_archive.hpp"

#include <chrono>
#include <cstdio>
#include <string>

#include "diary/files/trade_file.hpp"
#include "runtime/decimal.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace bench {

namespace {

// The date-time `minutes` after 2019/01/07 09:00 (trading hours on weekdays are not
// modelled: only the shape of the text matters).
std::string stamp(long minutes) {
    using namespace std::chrono;
    const sys_days start = year{2019} / January / 7;
    const long total = 9 * 60 + minutes;
    const year_month_day day{start + days{total / (24 * 60)}};
    const long inDay = total % (24 * 60);
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02u/%02u_%02ld:%02ld:%02ld", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()), inDay / 60, inDay % 60,
                  (minutes * 7) % 60);
    return text;
}

// A price of pair p around its level: "110.523" split as the price input splits it.
struct Price {
    std::string text, integer, fraction;
};
Price priceOf(int pair, int step) {
    const int level[] = {0, 110, 78, 71};
    const int thousandths = 100 + (step * 37) % 800;
    const std::string integer = std::to_string(level[pair] + step % 3);
    const std::string fraction = std::to_string(thousandths);
    return {integer + "." + fraction, integer, fraction};
}

// The choices of the groups and options in use: choice 0 (not set) now and then, the
// date-time only for a choice that was made.
void chooseGroupsAndOptions(diary::TradeRecord& r, int n, long minutes, const diary::BasicData& b) {
    for (int g = 1; g <= diary::kGroupCount; ++g) {
        if (b.groups[g].used != 1) continue;
        if ((n + g) % 5 == 0) r.groups[g].chart = "G" + std::to_string(g) + "_" + std::to_string(n) + ".JPG";
        for (int i = diary::firstItemOf(g); i <= 3; ++i) {
            if (b.groups[g].items[i].used != 1) continue;
            diary::RecordChoice& c = r.groups[g].items[i];
            c.index = static_cast<std::int16_t>((n + g + i) % 3);
            c.text = b.groups[g].items[i].choices[static_cast<std::size_t>(c.index)];
            c.time = c.index == 0 ? std::string() : stamp(minutes - 30 + g + i);
        }
    }
    for (int k = 1; k <= diary::kOptionCount; ++k) {
        if (b.options[k].used != 1) continue;
        diary::RecordOption& o = r.options[k];
        if ((n + k) % 7 == 0) o.chart = "OP" + std::to_string(k) + "_" + std::to_string(n) + ".JPG";
        o.choice.index = static_cast<std::int16_t>((n + k) % 3);
        o.choice.text = b.options[k].choices[static_cast<std::size_t>(o.choice.index)];
        o.choice.time = o.choice.index == 0 ? std::string() : stamp(minutes - 20 + k);
    }
}

void setMemo(diary::TradeRecord& r, const std::string& text, int lines) {
    r.memoText = text;
    r.memoLineCount = static_cast<float>(lines);
}

// The entry record of trade t, opened `minutes` into the archive's years, with the stop
// and target it was given.
diary::TradeRecord entryRecord(int t, long minutes, int lots, const diary::BasicData& b,
                               const diary::NewRecordDefaults& d) {
    diary::TradeRecord r;
    diary::initialiseRecord(r, d);
    r.tradeNumber = static_cast<float>(t + 1);
    r.recordKind = 0;
    r.status = b.tradeStates[1];
    r.statusTime = stamp(minutes);
    r.confirmTime = stamp(minutes - 2);
    r.pairIndex = static_cast<std::int16_t>(1 + t % 3);
    r.pairName = b.currencyPairs[static_cast<std::size_t>(r.pairIndex)];
    r.sideIndex = static_cast<std::int16_t>(1 + t % 2);
    r.sideName = b.tradeSides[static_cast<std::size_t>(r.sideIndex)];
    const Price price = priceOf(r.pairIndex, t);
    r.priceText = price.text;
    r.priceInteger = price.integer;
    r.priceFraction = price.fraction;
    r.orderLots = static_cast<std::int16_t>(lots);
    r.remainingLots = 0;
    r.settleLots = 0;
    r.lotUnit = 10000;
    r.timeframeIndex = static_cast<std::int16_t>(1 + t % 3);
    r.timeframeName = b.timeframes[static_cast<std::size_t>(r.timeframeIndex)].base;
    if (t % 3 == 0) r.stopChart = "STOP" + std::to_string(t) + ".JPG";
    const Price stop = priceOf(r.pairIndex, t + 5);
    r.stopInteger = r.carryStopInteger = stop.integer;
    r.stopFraction = r.carryStopFraction = stop.fraction;
    r.stopTime = r.carryStopTime = stamp(minutes - 1);
    if (t % 4 != 1) {
        const Price target = priceOf(r.pairIndex, t + 11);
        r.targetInteger = r.carryTargetInteger = target.integer;
        r.targetFraction = r.carryTargetFraction = target.fraction;
        r.targetTime = r.carryTargetTime = stamp(minutes - 1);
    }
    setMemo(r,
            "押し目を待ってエントリー。"_sj + "\r\n" + "日足は上昇、４時間足で高値更新を確認"_sj + "\r\n" +
                "指標の前に建値へストップを移す予定"_sj,
            3);
    if (t % 2 == 0) r.memoChart[1] = "MEMO" + std::to_string(t) + "_1.BMP";
    if (t % 6 == 0) r.memoChart[2] = "MEMO" + std::to_string(t) + "_2.BMP";
    chooseGroupsAndOptions(r, t, minutes, b);
    return r;
}

}  // namespace

ClosedTradeArchive closedTradeArchive(int trades, const diary::BasicData& b, const diary::NewRecordDefaults& d) {
    ClosedTradeArchive archive;
    archive.trades = trades;
    for (int t = 0; t < trades; ++t) {
        const long minutes = static_cast<long>(t) * 263;  // about five trades a day
        const int settlements = t % 4 == 0 ? 2 : 1;
        const int lots = settlements == 2 ? 3 : 2;
        diary::TradeRecord entry = entryRecord(t, minutes, lots, b, d);
        const runtime::Decimal entryPrice = runtime::Decimal::fromText(entry.priceText);
        std::string records;
        int remaining = lots;
        for (int s = 1; s <= settlements; ++s) {
            const int settled = s < settlements ? 1 : remaining;
            remaining -= settled;
            const long at = minutes + 45L * s;
            diary::TradeRecord r;
            diary::initialiseRecord(r, d);
            r.tradeNumber = entry.tradeNumber;
            r.recordKind = 1;
            r.status = b.tradeStates[3];
            r.statusTime = stamp(at);
            r.confirmTime = stamp(at - 1);
            r.pairIndex = entry.pairIndex;
            r.pairName = entry.pairName;
            r.sideIndex = static_cast<std::int16_t>(3 - entry.sideIndex);
            r.sideName = b.tradeSides[static_cast<std::size_t>(r.sideIndex)];
            const Price price = priceOf(r.pairIndex, t + 3 * s + (t % 5));
            r.priceText = price.text;
            r.priceInteger = price.integer;
            r.priceFraction = price.fraction;
            r.orderLots = entry.orderLots;
            r.remainingLots = static_cast<std::int16_t>(remaining);
            r.settleLots = static_cast<std::int16_t>(settled);
            r.lotUnit = entry.lotUnit;
            r.timeframeIndex = entry.timeframeIndex;
            r.timeframeName = entry.timeframeName;
            r.carryStopInteger = entry.carryStopInteger;
            r.carryStopFraction = entry.carryStopFraction;
            r.carryStopTime = entry.carryStopTime;
            r.carryTargetInteger = entry.carryTargetInteger;
            r.carryTargetFraction = entry.carryTargetFraction;
            r.carryTargetTime = entry.carryTargetTime;
            // The settlement step's profit: the price difference, signed so that a gain
            // is positive, times the lots; the amount in currency is the trade's so far.
            runtime::Decimal difference = runtime::Decimal::fromText(r.priceText) - entryPrice;
            if (r.sideIndex == 2) difference = -difference;
            r.basePL = difference;
            r.tradePL = difference * runtime::Decimal::fromInt(settled);
            entry.tradePL = entry.tradePL.value() + r.tradePL.value();
            r.tradePLAmount = entry.tradePL.value() * runtime::Decimal::fromInt(10000);
            entry.tradePLAmount = r.tradePLAmount.value();
            entry.remainingLots = static_cast<std::int16_t>(remaining);
            setMemo(r, s < settlements ? "半分利確"_sj : "目標到達で決済。"_sj + "\r\n" + "早すぎた"_sj,
                    s < settlements ? 1 : 2);
            chooseGroupsAndOptions(r, t + s, at, b);
            records += diary::writeTradeRecord(r, b);
        }
        diary::TradeRecord memo;
        diary::initialiseRecord(memo, d);
        memo.status = b.tradeStates[6];
        memo.recordKind = 1;
        memo.tradeNumber = entry.tradeNumber;
        if (t % 2 == 0)
            setMemo(memo, "見送るべき場面だった。"_sj + "\r\n" + "次は指標後の戻りを待つ"_sj, 2);
        archive.text += diary::writeTradeRecord(entry, b);
        archive.text += records;
        archive.text += diary::writeTradeRecord(memo, b);
        archive.records += 2 + settlements;
    }
    return archive;
}

std::string openTradesFile(int trades, const diary::BasicData& b, const diary::NewRecordDefaults& d) {
    std::string text;
    for (int t = 0; t < trades; ++t) {
        diary::TradeRecord r = entryRecord(100000 + t, 60L * 24 * 365 * 5 + 30L * t, 2, b, d);
        r.remainingLots = r.orderLots;
        text += diary::writeTradeRecord(r, b);
    }
    return text;
}

}  // namespace bench
