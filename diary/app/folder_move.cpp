#include "diary/app/folder_move.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "common/data_error.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "diary/app/basic_data_screen.hpp"
#include "diary/app/chart_names.hpp"
#include "diary/app/environment_screen.hpp"
#include "diary/app/startup.hpp"
#include "diary/app/trade_data.hpp"
#include "diary/files/trade_file.hpp"
#include "diary/files/trade_store.hpp"
#include "diary/trades/folder_move.hpp"
#include "diary/viewer/folder_list.hpp"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

// The order of the move, and what a crash (or power loss) between two of its writes
// leaves. "KANKYO.TXT" names the folder the next start proposes.
//   1. The chart images of the trades in progress are copied into the new chart folder,
//      each compared byte for byte with its source. Cut off here: the old folder is
//      untouched and proposed; the new folder holds some copies and no trades.
//   2. The new "取引中データ.TXT" is written (the old one's bytes, or through the trade
//      store with the names of missing images emptied) and read back. Cut off here: both
//      folders hold every trade and chart; the old one is proposed and works. Moving again
//      finds the same file and the same images in the new folder and goes on.
//   3. "KANKYO.TXT" names the new folder. Cut off here: the new folder is proposed and
//      works; the old one is still unmarked and whole.
//   4. The old "取引中データ.TXT" becomes "移転しました.TXT". Cut off here: the new folder
//      is proposed; the old one opens for viewing its closed trades only.
//   5. The old chart folder's images that no closed trade names (in doubt: kept) and
//      whose copy was verified are deleted. Cut off here: some of them are left over,
//      which costs room and nothing else.
//   6. The copy buffer "コピーデータ.TXT" is deleted; the trades are loaded from the new
//      folder as at start-up.
// Every file write is a safe rewrite (a temporary file renamed over the target), so no
// step leaves half of a file.

namespace diary {

namespace {

// A failure of the move before the old folder was marked: its text for the message.
struct MoveStopped {
    std::string text;
};

std::string chartFolderOf(const std::string& tradeFolder, const Diary& d) {
    return tradeFolder + d.basic.chartFolderName + "/";
}

std::string readFile(const std::string& path) { return runtime::readWholeFile(runtime::nativePath(path)); }

bool sameBytes(const std::string& a, const std::string& b) {
    return runtime::fileExists(a) && runtime::fileExists(b) && runtime::fileLength(a) == runtime::fileLength(b) &&
           readFile(a) == readFile(b);
}

// The same folder under two names (a link, "./"): a move into itself would delete its
// own trades' images.
bool sameFolder(const std::string& a, const std::string& b) {
    std::error_code error;
    const auto native = [](const std::string& f) { return f.empty() ? std::string(".") : runtime::nativePath(f); };
    return std::filesystem::equivalent(native(a), native(b), error);
}

void tell(const std::string& text) { common::PV$STOP_SUB("データフォルダの移動エラー"_sj, text); }

const std::string& keptOldFolder() {
    static const std::string text = "\r\nデータフォルダの移動は中止しました。元のフォルダの取引とチャートＣＧはそのまま使えます。"_sj;
    return text;
}

// What the move reads from the old folder before it writes anything.
struct OldFolder {
    std::string inProgressText;
    TradeTable trades;
    std::vector<std::string> archiveNames;  // every chart name closed trades hold
    std::string archiveTail;                // what the archive holds after its last whole record
};

std::optional<OldFolder> readOldFolder(Diary& d, const TradeStore& store) {
    OldFolder old;
    BasicData basic = d.basic;  // a reading may rename groups: not on the screens' data
    const NewRecordDefaults defaults = currentDefaults(d);
    try {
        if (!runtime::fileExists(store.inProgressPath())) {
            tell("取引中データ.TXTが見つかりません。"_sj + keptOldFolder());
            return std::nullopt;
        }
        old.inProgressText = readFile(store.inProgressPath());
        old.trades.dimension(countTradeRecords(old.inProgressText));
        readTradeFile(old.inProgressText, TradeFileKind::InProgress, basic, defaults, old.trades);
        if (runtime::fileExists(store.archivePath())) {
            const ArchiveText archive = splitArchive(readFile(store.archivePath()));
            TradeTable closed;
            closed.dimension(countTradeRecords(archive.complete));
            readTradeFile(archive.complete, TradeFileKind::Archive, basic, defaults, closed);
            old.archiveNames = chartNamesOf(closed);
            old.archiveTail = archive.tail;
        }
    } catch (const common::DataError& e) {
        tell(e.caption() + "\r\n"_sj + e.text() + keptOldFolder());
        return std::nullopt;
    } catch (const runtime::RuntimeError& e) {
        tell("取引データを読めません（エラー "_sj + std::to_string(e.number()) + "）。"_sj + keptOldFolder());
        return std::nullopt;
    }
    return old;
}

// PX$転送_SUB for one image: copied into the new chart folder and compared with its
// source. True when the new folder holds the same bytes; false when the user kept a
// different file of the same name there (the old image then stays where it is).
bool PX$転送_SUB(Diary& d, const std::string& from, const std::string& to, const std::string& name) {
    if (runtime::fileExists(to)) {
        if (sameBytes(from, to)) return true;
        const int answer = ui::messageBox(&d.windows.main.form, "チャート画像 "_sj + name + " の転送エラー"_sj,
                                          "既に転送先フォルダー内に存在しています。上書きしますか？"_sj, ui::box::YesNo,
                                          ui::box::ExclamationIcon);
        if (answer != ui::box::Yes) return false;
    }
    runtime::copyFile(from, to, false);
    if (!sameBytes(from, to))
        throw MoveStopped{"チャートＣＧ「"_sj + name + "」のコピーが元のファイルと一致しません。"_sj};
    return true;
}

// The new folder must not be the old one, nor share its chart folder (the images copied
// onto themselves would then be deleted as copied), nor be a folder moved away itself, nor
// hold other trades in progress that the move would replace.
bool acceptableTarget(const Diary& d, const std::string& oldFolder, const std::string& newFolder,
                      const std::string& newText) {
    const TradeStore target(newFolder);
    if (sameFolder(oldFolder, newFolder)) {
        tell("移動先が今のデータフォルダと同じです。"_sj + keptOldFolder());
        return false;
    }
    if (sameFolder(chartFolderOf(oldFolder, d), chartFolderOf(newFolder, d))) {
        tell("移動先のチャートＣＧフォルダが今のものと同じです。"_sj + keptOldFolder());
        return false;
    }
    if (runtime::fileExists(newFolder + "移転しました.TXT"_sj)) {
        tell("移動先のフォルダは既にデータが移転したフォルダです。"_sj + keptOldFolder());
        return false;
    }
    if (runtime::fileExists(target.inProgressPath())) {
        const std::string there = readFile(target.inProgressPath());
        if (countTradeRecords(there) > 0 && there != newText) {
            tell("移動先のフォルダには別の取引中データがあります。"_sj + keptOldFolder());
            return false;
        }
    }
    return true;
}

// Step 10 of the start-up on the folder now chosen: the basic data read again, the trade
// window's groups and options, the trades.
void resumeStartUp(Diary& d) {
    PX$基本データ設定R_SUB(d);
    PX$取引画面の初期設定(d);
    ui::enable(d.windows.chart["BUTTON4"], false);
    ui::enable(d.windows.chart["BUTTON5"], false);
    loadTrades(d);
}

void deleteQuietly(const std::string& path) {
    try {
        if (runtime::fileExists(path)) runtime::deleteFile(path);
    } catch (const runtime::RuntimeError&) {
        // A file left over costs room, not data.
    }
}

}  // namespace

void moveDataFolder(Diary& d) {
    ui::enable(d.windows.main["BUTTON21"], false);
    const std::string oldFolder = d.env.tradeDataFolder;
    const std::string oldRecorded = d.env.recordedTradeFolder;
    const TradeStore oldStore(oldFolder);
    std::optional<OldFolder> old = readOldFolder(d, oldStore);
    if (!old) return PX$SET_B21B22_SUB(d);
    // A name from a hand-edited file that would reach outside the chart folder stops the
    // move before anything is copied.
    const std::vector<std::string> transfer = chartsToTransfer(old->trades);
    for (const std::string& name : transfer)
        if (refusedChartName(name)) return PX$SET_B21B22_SUB(d);

    const std::string oldCharts = chartFolderOf(oldFolder, d);
    // A missing image is dropped from its trades, and the new in-progress file says so.
    bool dropped = false;
    for (const std::string& name : transfer)
        if (!runtime::fileExists(oldCharts + name)) dropped = dropChart(old->trades, name) > 0 || dropped;
    std::string newText = old->inProgressText;
    BasicData basic = d.basic;
    if (dropped) newText = writeTradeFiles(old->trades, basic, currentDefaults(d)).inProgress;

    bool stopped = false, wroteTrades = false, wroteEnvironment = false;
    std::vector<std::string> unverified;
    std::string newFolder;
    try {
        // Cancelling the folder dialog ends the program, with nothing of the move done.
        PX$作業フォルダ_SUB(d);
        newFolder = d.env.tradeDataFolder;
        d.env.tradeDataFolder = oldFolder;
        if (!acceptableTarget(d, oldFolder, newFolder, newText)) return PX$SET_B21B22_SUB(d);
        const std::string newCharts = chartFolderOf(newFolder, d);
        killPoint("move-before-copy");
        for (const std::string& name : transfer) {
            if (!runtime::fileExists(oldCharts + name)) continue;
            if (!PX$転送_SUB(d, oldCharts + name, newCharts + name, name)) unverified.push_back(name);
            killPoint("move-inside-chart-copy");
        }
        killPoint("move-after-chart-copy");
        TradeStore newStore(newFolder);
        if (dropped) {
            newStore.write(TradeFileTexts{newText, {}});
        } else {
            runtime::copyFile(oldStore.inProgressPath(), newStore.inProgressPath(), false);
        }
        wroteTrades = true;
        if (readFile(newStore.inProgressPath()) != newText)
            throw MoveStopped{"移動先の取引中データ.TXTが書いた内容と一致しません。"_sj};
        killPoint("move-after-trade-file");
        d.env.tradeDataFolder = d.env.recordedTradeFolder = newFolder;
        PX$環境設定W_SUB(d);
        wroteEnvironment = true;
        killPoint("move-after-environment");
        // The last step that can be undone: once the marker is there, nothing goes back.
        runtime::renameFile(oldStore.inProgressPath(), oldFolder + "移転しました.TXT"_sj);
    } catch (const MoveStopped& stop) {
        stopped = true;
        tell(stop.text + keptOldFolder());
    } catch (const runtime::RuntimeError& e) {
        stopped = true;
        tell("ファイルのコピーまたは書き込みに失敗しました（エラー "_sj + std::to_string(e.number()) + "）。"_sj +
             keptOldFolder());
    }
    if (stopped) {
        // The old folder stays the working one: the new folder's trade file goes (its images
        // are copies), the environment names the old folder again.
        if (wroteTrades) deleteQuietly(TradeStore(newFolder).inProgressPath());
        d.env.tradeDataFolder = oldFolder;
        d.env.recordedTradeFolder = oldRecorded;
        if (wroteEnvironment) {
            try {
                PX$環境設定W_SUB(d);
            } catch (const runtime::RuntimeError&) {
                // The next start proposes the new folder, which holds the trades as well.
            }
        }
        return PX$SET_B21B22_SUB(d);
    }
    try {
        runtime::syncFolderOf(oldStore.inProgressPath());
    } catch (const runtime::RuntimeError&) {
        // A rename that a power loss undid leaves the old folder unmarked and whole.
    }
    killPoint("move-after-marker");

    // The old chart folder keeps what closed trades name and what was not verified.
    std::vector<std::string> files;
    for (const runtime::FolderEntry& e : runtime::listFolder(oldCharts))
        if (e.regular) files.push_back(e.name);
    std::vector<std::string> listed = imageNames(files);
    PV$ソート_SUB(listed);
    std::vector<std::string> kept = old->archiveNames;
    kept.insert(kept.end(), unverified.begin(), unverified.end());
    for (const std::string& name : imagesToDelete(listed, kept, old->archiveTail)) {
        deleteQuietly(oldCharts + name);
        killPoint("move-inside-delete");
    }
    killPoint("move-after-delete");

    d.table.erase();
    deleteQuietly(d.env.basicDataFolder + "コピーデータ.TXT"_sj);
    killPoint("move-after-copy-buffer");
    resumeStartUp(d);
}

}  // namespace diary
