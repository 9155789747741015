#include "diary/app/review_window.hpp"

#include <algorithm>

#include "common/control_names.hpp"
#include "common/data_error.hpp"
#include "common/header_reader.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "diary/app/basic_data_screen.hpp"
#include "diary/app/environment_screen.hpp"
#include "diary/app/program_end.hpp"
#include "diary/app/startup.hpp"
#include "diary/app/trade_data.hpp"
#include "diary/app/trade_screen.hpp"
#include "diary/files/trade_file.hpp"
#include "diary/files/trade_store.hpp"
#include "diary/trades/profit.hpp"
#include "diary/trades/review.hpp"
#include "runtime/numbers.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

FormWindow& form5(Diary& d) { return d.windows.closedTrades; }
ObjectVar& control(Diary& d, const char* name) { return form5(d)[name]; }

std::string archivePath(const Diary& d) { return TradeStore(d.env.tradeDataFolder).archivePath(); }

void setProfitTexts(Diary& d, const runtime::Decimal& x, const runtime::Decimal& y) {
    const ProfitTexts t = profitTexts(x, y);
    ui::setText(control(d, "TEXT12"), t.thisSettlement);
    ui::setText(control(d, "TEXT13"), t.soFar);
}

void enableButtons(Diary& d, std::initializer_list<const char*> names, bool enabled) {
    for (const char* name : names) ui::enable(control(d, name), enabled);
}

ItemSelection itemSelection(Diary& d) {
    ItemSelection s;
    s.hideUnset = ui::check(control(d, "CHECK1")) == 1;
    for (int key = 0; key < kItemKeys; ++key) {
        const int p = d.review.itemPosition[static_cast<std::size_t>(key)];
        s.shown[static_cast<std::size_t>(key)] = p >= 0 && ui::isMarked(control(d, "LIST4"), p);
    }
    return s;
}

// The chart images of the shown record into LIST5 (an entry) or LIST6 (a settlement or memo).
void fillChartList(Diary& d, const TradeRecord& r) {
    const bool entry = d.review.chartListMode == 0;
    ObjectVar& list = control(d, entry ? "LIST5" : "LIST6");
    auto& files = entry ? d.review.entryCharts : d.review.recordCharts;
    ui::clearItems(list);
    files.clear();
    for (const ChartImage& image : chartImages(r, d.basic)) {
        ui::addItem(list, image.label);
        files.emplace_back(image.label, image.file);
    }
}

void fillSettlementList(Diary& d, int entry) {
    const RecordLines lines = settlementList(d.table, entry, d.basic);
    ObjectVar& list = control(d, "LIST3");
    ui::clearItems(list);
    for (const std::string& line : lines.lines) ui::addItem(list, line);
    d.review.settlementLines = lines.records;
}

void rebuildEntryList(Diary& d) {
    setProfitTexts(d, runtime::Decimal(), runtime::Decimal());
    for (const char* name : {"LIST2", "LIST3", "LIST5", "LIST6"}) ui::clearItems(control(d, name));
    ui::setText(control(d, "EDIT9"), "");
    ui::setText(control(d, "EDIT10"), "");
    d.review.entryCharts.clear();
    d.review.recordCharts.clear();
    d.review.settlementLines.clear();
    // Nothing is shown any more: the buttons that act on a shown record wait for one.
    d.review.shownRecord = -1;
    enableButtons(d, {"BUTTON33", "BUTTON34", "BUTTON35", "BUTTON36", "BUTTON37", "BUTTON38", "BUTTON49"}, false);
    const RecordLines lines = closedTradeList(d.table, ui::check(control(d, "CHECK2")) == 1,
                                              ui::check(control(d, "CHECK3")) == 1, ui::selection(control(d, "COMBO45")));
    for (const std::string& line : lines.lines) ui::addItem(control(d, "LIST2"), line);
    d.review.entryLines = lines.records;
}

// The whole archive written again through the safe rewrite (a crash leaves the old one or
// the new one), each record with the blocks it was read with, a cut-off end kept as it was.
void rewriteArchive(Diary& d, const std::string& tail) {
    runtime::writeFileSafely(runtime::nativePath(archivePath(d)), writeArchive(d.table, d.basic) + tail);
}

void loadArchive(Diary& d) {
    ObjectVar& items = control(d, "LIST4");
    ui::clearItems(items);
    d.review.itemPosition.fill(-1);
    d.basic.stockCapacity = 0;
    d.table.erase();
    d.review.archiveTail.clear();
    std::string text;
    if (runtime::fileExists(archivePath(d))) text = runtime::readWholeFile(runtime::nativePath(archivePath(d)));
    const ArchiveText archive = splitArchive(text);
    const int count = countTradeRecords(archive.complete);
    // The capacity is a 16-bit number of the basic data; the table itself takes any count.
    d.basic.stockCapacity = static_cast<std::int16_t>(std::min(count, 32767));
    d.table.dimension(count);
    try {
        const TradeFileReading found =
            readTradeFile(archive.complete, TradeFileKind::Archive, d.basic, currentDefaults(d), d.table);
        for (const NameMet& name : found.namesMet) {
            auto& position = d.review.itemPosition[static_cast<std::size_t>(name.key)];
            if (position >= 0) continue;
            position = ui::itemCount(items);
            ui::addItem(items, name.name);
        }
    } catch (const common::DataError& e) {
        stopProgram(e.caption(), e.text());
    }
    if (!archive.tail.empty()) {
        d.review.archiveTail = archive.tail;
        common::PV$STOP_SUB("整理データの警告"_sj,
                            "整理データ.TXTの最後の取引データが途中で切れているため、切れた部分は表示しません。\r\n"
                            "それより前の取引データはすべて表示します。"_sj);
    }
    rebuildEntryList(d);
}

bool memoWindowShown(Diary& d) { return ui::isVisible(d.windows.memo.form); }

}  // namespace

void PX$SHOW_WIN4(Diary& d) {
    ObjectVar& memo = d.windows.memo.form;
    const bool shown = memoWindowShown(d);
    const std::initializer_list<const char*> locked = {"BUTTON23", "LIST2",    "LIST4",    "LIST5",    "LIST6",
                                                       "CHECK1",   "CHECK2",   "CHECK3",   "BUTTON33", "BUTTON34",
                                                       "BUTTON35", "BUTTON36", "BUTTON37", "BUTTON38"};
    if (shown) {
        ui::toFront(form5(d).form);
        ui::show(memo, false);
        d.trade.memoWindowShown = 0;
        enableButtons(d, locked, true);
    } else {
        ui::show(memo, true);
        ui::toFront(memo);
        d.trade.memoWindowShown = 1;
        enableButtons(d, locked, false);
    }
}

void openReview(Diary& d) {
    ui::show(form5(d).form, true);
    ui::show(d.windows.main.form, false);
    d.review.reviewMode = 1;
    d.review.memoEdited = 0;
    d.review.basicBefore = d.basic;
    loadArchive(d);
    ObjectVar& items = control(d, "LIST4");
    for (int p = 0; p < ui::itemCount(items); ++p) ui::mark(items, p, true);
    enableButtons(d, {"BUTTON33", "BUTTON34", "BUTTON35", "BUTTON36", "BUTTON37", "BUTTON38", "BUTTON49"}, false);
}

void closeReview(Diary& d) {
    // While the orientation memo is being edited "閉じる" is disabled, and the close box
    // does what it does: the memo window is closed first, by its own "閉じる". Closing the
    // review under it would leave the memo window open outside review mode and the
    // review's controls disabled for the next time it is opened.
    if (memoWindowShown(d)) return;
    if (d.review.memoEdited == 1) rewriteArchive(d, d.review.archiveTail);
    if (runtime::fileExists(d.env.tradeDataFolder + "移転しました.TXT"_sj)) {
        common::PV$STOP_SUB("強制終了警告"_sj, "指定したフォルダ内には取引データが存在しませんので、終了します。"_sj);
        PX$環境設定W_SUB(d);
        endProgram();
    }
    d.review.reviewMode = 0;
    d.table.erase();
    ui::show(form5(d).form, false);
    ui::show(d.windows.chart.form, false);
    ui::show(d.windows.main.form, true);
    // The trade window as at start-up: the basic data (and their group names) again, the
    // capacity they give, the trades in progress.
    // The basic data as before the review, then as the file gives them: what the file does
    // not hold (a hand-edited file without its stock capacity) is not left at the archive's
    // values. A trade number taken over at start-up may not be in the file yet: it stays.
    const float counter = d.basic.tradeCounter;
    d.basic = d.review.basicBefore;
    PX$基本データ設定R_SUB(d);
    d.basic.tradeCounter = std::max(d.basic.tradeCounter, counter);
    PX$取引画面の初期設定(d);
    readTrades(d);
    PX$SET_B21B22_SUB(d);
}

void showEntry(Diary& d) {
    const int p = ui::selection(control(d, "LIST2"));
    if (p < 0 || p >= static_cast<int>(d.review.entryLines.size())) return;
    const int e = d.review.entryLines[static_cast<std::size_t>(p)];
    d.review.chartListMode = 0;
    fillSettlementList(d, e);
    setProfitTexts(d, runtime::Decimal(), runtime::Decimal());
    enableButtons(d, {"BUTTON33", "BUTTON35", "BUTTON37"}, true);
    enableButtons(d, {"BUTTON34", "BUTTON36", "BUTTON38", "BUTTON49"}, false);
    d.review.shownRecord = e;
    ui::setText(control(d, "EDIT9"), recordText(d.table.at(e), d.basic, itemSelection(d)));
    ui::setText(control(d, "EDIT10"), "");
    fillChartList(d, d.table.at(e));
}

void showRecord(Diary& d) {
    const int q = ui::selection(control(d, "LIST3"));
    if (q < 0 || q >= static_cast<int>(d.review.settlementLines.size())) return;
    d.review.chartListMode = 1;
    const int n = d.review.settlementLines[static_cast<std::size_t>(q)];
    d.review.shownRecord = n;
    const TradeRecord& r = d.table.at(n);
    std::string text;
    if (isMemoRecord(r, d.basic)) {
        ui::enable(control(d, "BUTTON49"), true);
        text = memoRecordText(r);
    } else {
        ui::enable(control(d, "BUTTON49"), false);
        const runtime::Decimal unit = runtime::Decimal::fromText(runtime::numberText(r.lotUnit));
        setProfitTexts(d, r.tradePL.value() * unit, r.tradePLAmount.value());
        text = recordText(r, d.basic, itemSelection(d));
    }
    fillChartList(d, r);
    ui::setText(control(d, "EDIT10"), text);
    enableButtons(d, {"BUTTON34", "BUTTON36", "BUTTON38"}, true);
}

void plusFilterClicked(Diary& d) {
    if (ui::check(control(d, "CHECK2")) != 1 && ui::check(control(d, "CHECK3")) != 1) ui::setCheck(control(d, "CHECK3"), 1);
    rebuildEntryList(d);
}

void minusFilterChanged(Diary& d) {
    if (ui::check(control(d, "CHECK2")) != 1 && ui::check(control(d, "CHECK3")) != 1) ui::setCheck(control(d, "CHECK2"), 1);
    rebuildEntryList(d);
}

void editOrientationMemo(Diary& d) {
    if (ui::isVisible(d.windows.chart.form) || d.review.shownRecord < 0) return;
    d.review.memoEdited = 1;
    // Pressed again while a memo is being edited: what was typed is kept before the memo
    // window takes the record shown now.
    if (memoWindowShown(d) && d.table.currentIndex >= 0 && d.table.currentIndex <= d.table.lastIndex)
        storeMemo(d, d.table.at(d.table.currentIndex));
    if (!memoWindowShown(d)) PX$SHOW_WIN4(d);
    d.table.currentIndex = d.review.shownRecord;
    const TradeRecord& r = d.table.at(d.table.currentIndex);
    ui::setText(d.windows.memo["EDIT1"], r.memoText);
    for (int c = 1; c <= 5; ++c)
        ui::setText(d.windows.memo[common::controlName("BUTTON", 14 + c)], chartButtonCaption(r.memoChart[c]));
    ui::enable(control(d, "BUTTON49"), false);
}

void storeOrientationMemo(Diary& d) {
    if (d.table.currentIndex >= 0 && d.table.currentIndex <= d.table.lastIndex) {
        storeMemo(d, d.table.at(d.table.currentIndex));
        const int p = ui::selection(control(d, "LIST2"));
        if (p >= 0 && p < static_cast<int>(d.review.entryLines.size()))
            fillSettlementList(d, d.review.entryLines[static_cast<std::size_t>(p)]);
        rewriteArchive(d, d.review.archiveTail);
    }
    if (memoWindowShown(d)) PX$SHOW_WIN4(d);
}

void copyTextToClipboard(Diary& d, int which) {
    ObjectVar& edit = control(d, which == 9 ? "EDIT9" : "EDIT10");
    ui::selectText(edit, 0, -1);
    ui::copySelection(edit);
    ui::selectText(edit, 0, 0);
}

void PX$BUTTON3536_SUB(Diary& d, int which) {
    const auto chosen = ui::saveDialog(&form5(d).form, "テキストファイルに出力する為のファイルの選択"_sj, "", "(*.*)"_sj, 1);
    if (!chosen) return;
    const runtime::PathParts parts = runtime::splitPath(*chosen);
    const std::string path = parts.drive + parts.directory + parts.name + ".TXT";
    const std::string text = ui::text(control(d, which == 9 ? "EDIT9" : "EDIT10"));
    runtime::writeFileSafely(runtime::nativePath(path), text + "\r\n");
}

}  // namespace diary
