#include "diary/app/trade_data.hpp"

#include <algorithm>

#include "common/data_error.hpp"
#include "common/date_time.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "diary/app/basic_data_screen.hpp"
#include "diary/app/program_end.hpp"
#include "diary/files/trade_file.hpp"
#include "diary/files/trade_store.hpp"
#include "diary/trades/trade_list.hpp"
#include "diary/trades/trade_steps.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

TradeStore storeOf(const Diary& d) { return TradeStore(d.env.tradeDataFolder); }

// While the files are written and read the trade window takes no input.
class TradeWindowDisabled {
public:
    explicit TradeWindowDisabled(Diary& d) : form_(d.windows.trade.form) { ui::enable(form_, false); }
    ~TradeWindowDisabled() {
        if (PV$CHECKOBJECT(&form_)) ui::enable(form_, true);
    }
    TradeWindowDisabled(const TradeWindowDisabled&) = delete;
    TradeWindowDisabled& operator=(const TradeWindowDisabled&) = delete;

private:
    ObjectVar& form_;
};

// A new backup folder for the date-time: YYMMDD_hhmmss, or with "_2", "_3" ... when a
// backup of the same second is there already, so that each backup keeps its own copy.
std::string newBackupFolder(const std::string& backupFolder, const std::string& dateTime) {
    const std::string base = backupFolder + backupFolderName(dateTime);
    std::string folder = base;
    for (int n = 2; runtime::directoryExists(folder) || runtime::fileExists(folder); ++n)
        folder = base + "_" + std::to_string(n);
    runtime::makeDirectory(folder);
    return folder + "/";
}

}  // namespace

NewRecordDefaults currentDefaults(const Diary& d) {
    return newRecordDefaults(d.basic, d.itemDisplayLabel, d.optionDisplayLabel);
}

void rebuildTradeList(Diary& d) {
    FormWindow& main = d.windows.main;
    ui::setText(main["TEXT56"], stockDisplay(d.basic.stockCapacity, d.table.lastIndex));
    const TradeList list = buildTradeList(d.table, d.basic, d.basic.stockCapacity, d.relocatedData == 1);
    ObjectVar& lines = main["LIST1"];
    ui::clearItems(lines);
    for (const std::string& line : list.lines) ui::addItem(lines, line);
    d.trade.unsavedNewTrade = 0;
    d.trade.listMap = list.listMap;
    d.trade.listPrice = list.listPrice;
    d.trade.newTradePos = list.newTradePos;
    ui::enable(main["BUTTON50"], list.newTradeOffered);
}

void readTrades(Diary& d) {
    const TradeWindowDisabled disabled(d);
    const TradeStore store = storeOf(d);
    d.table.dimension(d.basic.stockCapacity);
    if (runtime::fileExists(store.inProgressPath())) {
        const std::string text = runtime::readWholeFile(runtime::nativePath(store.inProgressPath()));
        try {
            readTradeFile(text, TradeFileKind::InProgress, d.basic, currentDefaults(d), d.table);
        } catch (const common::DataError& e) {
            stopProgram(e.caption(), e.text());
        }
    }
    rebuildTradeList(d);
}

void loadTrades(Diary& d) {
    try {
        storeOf(d).recover();
    } catch (const common::DataError& e) {
        stopProgram(e.caption(), e.text());
    }
    readTrades(d);
    float highest = 0;
    for (int n = 0; n <= d.table.lastIndex; ++n) highest = std::max(highest, d.table.at(n).tradeNumber);
    if (highest > d.basic.tradeCounter) {
        d.basic.tradeCounter = highest;
        d.basicDataChanged = 1;
    }
    PX$SET_B21B22_SUB(d);
}

void saveTrades(Diary& d) {
    try {
        const TradeWindowDisabled disabled(d);
        storeOf(d).write(writeTradeFiles(d.table, d.basic, currentDefaults(d)));
    } catch (const common::DataError& e) {
        // The archive cannot take the closed trade: nothing was written, and the table goes
        // back to what the files hold.
        common::PV$STOP_SUB(e.caption(), e.text());
        readTrades(d);
        return;
    }
    readTrades(d);
    PX$データバックアップ_SUB(d);
    PX$SET_B21B22_SUB(d);
}

void PX$データバックアップ_SUB(Diary& d) {
    if (d.basicDataChanged == 1) {
        PX$基本データ設定W_SUB(d);
        d.basicDataChanged = 0;
    }
    if (d.env.backupEnabled != 1) return;
    common::PX$日時_SUB(d.clock);
    const std::string folder = newBackupFolder(d.env.backupFolder, d.clock.nowText);
    const TradeStore store = storeOf(d);
    for (const std::string& file : {store.inProgressPath(), basicDataPath(d), store.archivePath()})
        if (runtime::fileExists(file)) runtime::copyFile(file, folder + runtime::splitPath(file).name + runtime::splitPath(file).extension, false);
}

void PX$SET_B21B22_SUB(Diary& d) {
    const TradeStore store = storeOf(d);
    ui::enable(d.windows.main["BUTTON21"], runtime::fileExists(store.archivePath()));
    ui::enable(d.windows.main["BUTTON22"], d.relocatedData != 1 && runtime::fileExists(store.inProgressPath()));
}

}  // namespace diary
