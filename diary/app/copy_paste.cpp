#include "diary/app/copy_paste.hpp"

#include "common/control_names.hpp"
#include "common/data_error.hpp"
#include "common/ui/controls.hpp"
#include "diary/app/program_end.hpp"
#include "diary/app/trade_screen.hpp"
#include "diary/files/trade_file.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

std::string copyPath(const Diary& d) { return d.env.basicDataFolder + "コピーデータ.TXT"_sj; }

ObjectVar& box(Diary& d, int number) { return d.windows.checklist[common::controlName("CHECK", number)]; }

// The check boxes that "全部チェック" and "全部解除" change: the pair and side boxes
// (entry records only), price, timeframe, stop-loss, confirmed date-time, the boxes of the
// groups and options in use, the memo and the target.
void setAll(Diary& d, int state) {
    const bool entry = d.table.at(d.table.currentIndex).isEntry();
    for (int n = 6; n <= 11; ++n)
        if (n > 7 || entry || state == 0) ui::setCheck(box(d, n), state);
    for (int g = 1; g <= kGroupCount; ++g)
        if (d.basic.groups[g].used == 1) ui::setCheck(box(d, 11 + g), state);
    ui::setCheck(box(d, 23), state);
    for (int k = 1; k <= kOptionCount; ++k)
        if (d.basic.options[k].used == 1) ui::setCheck(box(d, 23 + k), state);
    ui::setCheck(box(d, 29), state);
}

void closePasteWindow(Diary& d) {
    ui::enable(d.windows.trade.form, true);
    ui::show(d.windows.checklist.form, false);
}

}  // namespace

void copyRecord(Diary& d) {
    const int n = d.table.currentIndex;
    storeScreen(d, n, ScreenStore::Collect);
    runtime::writeFileSafely(runtime::nativePath(copyPath(d)), writeTradeRecord(d.table.at(n), d.basic));
    ui::enable(d.windows.trade["BUTTON58"], true);
}

void openPasteWindow(Diary& d) {
    const int n = d.table.currentIndex;
    storeScreen(d, n, ScreenStore::Collect);
    const bool entry = d.table.at(n).isEntry();
    for (int c : {6, 7}) {
        ui::enable(box(d, c), entry);
        if (!entry) ui::setCheck(box(d, c), 0);
    }
    ui::enable(d.windows.trade.form, false);
    ui::show(d.windows.checklist.form, true);
    ui::toFront(d.windows.checklist.form);
}

void checkAllPasteItems(Diary& d) { setAll(d, 1); }
void clearAllPasteItems(Diary& d) { setAll(d, 0); }

void pasteSelected(Diary& d) {
    const int n = d.table.currentIndex;
    if (runtime::fileExists(copyPath(d))) {
        const auto ticked = [&d](int c) { return ui::check(box(d, c)) == 1; };
        PasteSelection pick;
        pick.pair = ticked(6);
        pick.side = ticked(7);
        pick.price = ticked(8);
        pick.timeframe = ticked(9);
        pick.stopLoss = ticked(10);
        pick.confirmTime = ticked(11);
        for (int g = 1; g <= kGroupCount; ++g) pick.groups[g] = ticked(11 + g);
        pick.memo = ticked(23);
        for (int k = 1; k <= kOptionCount; ++k) pick.options[k] = ticked(23 + k);
        pick.target = ticked(29);
        const std::string text = runtime::readWholeFile(runtime::nativePath(copyPath(d)));
        try {
            readCopyFile(text, pick, d.table.at(n));
        } catch (const common::DataError& e) {
            stopProgram(e.caption(), e.text());
        }
    }
    closePasteWindow(d);
    fillScreen(d, n);
}

void cancelPaste(Diary& d) { closePasteWindow(d); }

}  // namespace diary
