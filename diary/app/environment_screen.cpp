#include "diary/app/environment_screen.hpp"

#include <cstdlib>
#include <optional>

#include "common/field_text.hpp"
#include "common/header_reader.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "diary/app/program_end.hpp"
#include "diary/files/environment.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

const std::string& kankyoPath() { return "KANKYO.TXT"_sj; }
const std::string& anyFile() { return "(*.*)"_sj; }

// The windows of the file's sections, in its order.
FormWindow& sectionWindow(Diary& d, int section) {
    Windows& w = d.windows;
    switch (static_cast<WindowSection>(section)) {
    case WindowSection::Main: return w.main;
    case WindowSection::Chart: return w.chart;
    case WindowSection::Trade: return w.trade;
    case WindowSection::Options: return w.options;
    case WindowSection::Memo: return w.memo;
    case WindowSection::ClosedTrades: break;
    }
    return w.closedTrades;
}

// The folder of a path a save dialog returned (drive and directory).
std::string folderOf(const std::string& path) {
    const runtime::PathParts p = runtime::splitPath(path);
    return p.drive + p.directory;
}

// Asks for a place with the save dialog until the user cancels (nothing) or picks one
// whose folder the diary can use: "KANKYO.TXT" must record it (a folder name holding a
// double quote together with a comma or an edge blank, or a line break, fits no field of
// the file), and the file tests take "*" and "?" for wildcards.
std::optional<std::string> askFolder(Diary& d, const std::string& title, const std::string& proposal) {
    for (;;) {
        const auto chosen = ui::saveDialog(&d.windows.main.form, title, proposal, anyFile(), 1);
        if (!chosen) return std::nullopt;
        const std::string folder = folderOf(*chosen);
        if (common::fieldCanHold(folder) && folder.find_first_of("*?") == std::string::npos) return folder;
        common::PV$STOP_SUB("格納フォルダーのパスエラー"_sj,
                            folder + "\r\nこのフォルダーの名前は記録できません。別のフォルダーを選んで下さい。"_sj);
    }
}

// Switches backups on or off with the check box to match.
void setBackups(Diary& d, bool on) {
    d.env.backupEnabled = on ? 1 : 0;
    ui::setCheck(d.windows.main["CHECK4"], on ? 1 : 0);
}

// PX$FOLD_SUB for a recorded folder: false (after its message) when the folder is gone.
bool stillThere(const std::string& path, const std::string& name) {
    std::string checked = name;
    PX$FOLD_SUB(path, checked);
    return !checked.empty();
}

}  // namespace

std::string temporaryBitmapPath() {
    for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* folder = std::getenv(variable);
        if (folder && *folder) return runtime::fromUtf8(std::string(folder) + "/DAMMY.BMP");
    }
    return "/tmp/DAMMY.BMP";
}

void PX$FOLD_SUB(const std::string& path, std::string& name) {
    if (path.empty()) return;
    std::string folder = path;
    // A drive root names a folder that is always there.
    if (name == "基チャートＣＧ"_sj && folder == "/") return;
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (runtime::directoryExists(folder)) return;
    common::PV$STOP_SUB("格納フォルダーのパスエラー"_sj, name + "を格納するフォルダーが見つかりません"_sj);
    name.clear();
}

void PX$環境設定R_SUB(Diary& d) {
    if (!runtime::fileExists(kankyoPath())) return;
    const std::string text = runtime::readWholeFile(runtime::nativePath(kankyoPath()));
    EnvironmentReadResult found;
    try {
        found = readEnvironment(text, d.env);
    } catch (const common::DataError& e) {
        stopProgram(e.caption(), e.text());
    }
    Environment& env = d.env;
    for (int s = 0; s < kWindowSectionCount; ++s) {
        const auto& place = env.windows[static_cast<std::size_t>(s)];
        if (!place) continue;
        FormWindow& w = sectionWindow(d, s);
        if (s == static_cast<int>(WindowSection::Chart)) {
            ui::select(d.windows.chart["COMBO1"], env.zoomIndex);
            d.chartPictureWidth = env.chartWindowWidth;
            d.chartPictureHeight = env.chartWindowHeight;
            ui::move(w.form, place->x, place->y);
            ui::setClientSize(w.form, env.chartWindowWidth, env.chartWindowHeight);
        } else {
            ui::move(w.form, place->x, place->y);
        }
    }
    // The recorded folders, each checked in the order of the file.
    if (found.basicDataFolder) stillThere(env.basicDataFolder, "基本データ"_sj);
    if (found.tradeDataFolder && !stillThere(env.tradeDataFolder, "取引中データ"_sj)) env.tradeDataFolder.clear();
    if (found.chartSourceFolder) stillThere(env.chartSourceFolder, "基チャートＣＧ"_sj);
    if (found.backupFolder) setBackups(d, stillThere(env.backupFolder, "バックアップ"_sj));
}

void PX$環境設定W_SUB(Diary& d) {
    Environment env = d.env;
    for (int s = 0; s < kWindowSectionCount; ++s) {
        FormWindow& w = sectionWindow(d, s);
        env.windows[static_cast<std::size_t>(s)] = WindowPlace{ui::left(w.form), ui::top(w.form)};
    }
    const int zoom = ui::selection(d.windows.chart["COMBO1"]);
    env.zoomIndex = static_cast<std::int16_t>(zoom);
    runtime::writeFileSafely(runtime::nativePath(kankyoPath()), writeEnvironment(env, d.relocatedData == 1));
}

void PX$基本データフォルダ_SUB(Diary& d) {
    d.env.basicDataFolder = askFolder(d, "基本データファイルを保存する場所は?"_sj, "基本データ.TXT"_sj).value_or("");
}

void PX$作業フォルダ_SUB(Diary& d) {
    const auto folder = askFolder(d, "取引中データファイルを保存する場所は?"_sj, d.env.tradeDataFolder + "取引中データ.TXT"_sj);
    if (!folder) endProgram();
    d.env.tradeDataFolder = *folder;
    const std::string chartFolder = d.env.tradeDataFolder + d.basic.chartFolderName;
    if (!runtime::directoryExists(chartFolder)) runtime::makeDirectory(chartFolder);
}

void PX$CHECK4_ON(Diary& d) {
    if (ui::check(d.windows.main["CHECK4"]) != 1) {
        d.env.backupEnabled = 0;
        return;
    }
    d.env.backupEnabled = 1;
    const auto folder = askFolder(d, "バックアップする場所は?"_sj, d.env.tradeDataFolder + "DUMMY.TXT"_sj);
    if (!folder) {
        setBackups(d, false);
        return;
    }
    d.env.backupFolder = *folder;
}

}  // namespace diary
