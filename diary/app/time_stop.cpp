#include "diary/app/time_stop.hpp"

#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "diary/app/input_box.hpp"
#include "diary/files/time_stop_file.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

std::string timeStopPath(const Diary& d) { return d.env.basicDataFolder + "タイムストップ設定.TXT"_sj; }

void showReleaseButtons(Diary& d, bool visible) {
    ui::show(d.windows.trade["BUTTON10"], visible);
    ui::show(d.windows.main["BUTTON56"], visible);
}

void deleteKeptTimeStop(Diary& d) {
    if (!runtime::fileExists(timeStopPath(d))) return;
    d.timeStopActive = 0;
    runtime::deleteFile(timeStopPath(d));
}

}  // namespace

void checkTimeStopAtStart(Diary& d) {
    if (!runtime::fileExists(timeStopPath(d))) return;
    d.timeStopActive = 1;
    d.clock.nowText = readTimeStop(runtime::readWholeFile(runtime::nativePath(timeStopPath(d))));
    common::PV$STOP_SUB("タイムストップ警告"_sj, "現在タイムストップが "_sj + d.clock.nowText +
                                                     " に設定されています。\r\n通常時間に戻すには解除してください。"_sj);
    d.clock.clockFrozen = 1;
    showReleaseButtons(d, true);
}

void setTimeStop(Diary& d) {
    ObjectVar& keep = d.windows.input["CHECK5"];
    ui::show(keep, true);
    ui::setCheck(keep, d.timeStopActive == 1 ? 1 : 0);
    common::PX$日時_SUB(d.clock);
    std::string answer = d.clock.nowText;
    PX$INPUT_BOX2(d, "タイムストップ設定"_sj, "半角または全角で各欄に数値を入力して下さい。"_sj, answer);
    if (answer != kCancelled) {
        d.clock.nowText = answer;
        if (ui::check(keep) == 1) {
            runtime::writeFileSafely(runtime::nativePath(timeStopPath(d)), writeTimeStop(answer));
            d.timeStopActive = 1;
        } else {
            deleteKeptTimeStop(d);
        }
        d.clock.clockFrozen = 1;
        showReleaseButtons(d, true);
    }
    ui::show(keep, false);
}

void releaseTimeStop(Diary& d) {
    d.clock.clockFrozen = 0;
    common::PX$日時_SUB(d.clock);
    showReleaseButtons(d, false);
    deleteKeptTimeStop(d);
}

}  // namespace diary
