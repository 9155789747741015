#include "editor/app/timeframe_form.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "common/field_text.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "editor/app/main_form.hpp"
#include "editor/model/timeframe_table.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace editor {

namespace {

constexpr const char* kEdits[] = {"EDIT14", "EDIT15", "EDIT16", "EDIT17"};
constexpr const char* kColumns[] = {"時間足", "第１パラメータ", "第２パラメータ", "第３パラメータ"};

ObjectVar& list(Editor& e) { return e.windows.timeframes["LIST1"]; }

// The selected line, remembered for the next refill; -1 when none is selected.
int selectedLine(Editor& e) {
    const int s = ui::selection(list(e));
    if (s >= 0) e.timeframeSelection = s;
    return s;
}

// The four edits as a row, or nothing (after the message) when one of them holds a text
// no field of the file gives back whole.
std::optional<common::TimeframeRow> typedRow(Editor& e) {
    FormWindow& f = e.windows.timeframes;
    std::string texts[4];
    for (int c = 0; c < 4; ++c) {
        texts[c] = ui::text(f[kEdits[c]]);
        if (common::fieldCanHold(texts[c])) continue;
        common::PV$STOP_SUB("登録エラー"_sj, runtime::fromUtf8(kColumns[c]) + "「"_sj + texts[c] +
                                                 "」は基本データ.TXTに書けません。\r\n"_sj +
                                                 "「\"」と「,」や前後の空白を一緒に使わないで下さい。"_sj);
        return std::nullopt;
    }
    return common::TimeframeRow{texts[0], texts[1], texts[2], texts[3]};
}

}  // namespace

void PX$時間足リスト_SUB(Editor& e) {
    ObjectVar& l = list(e);
    ui::clearItems(l);
    const std::vector<std::string> lines = timeframeLines(e.basic);
    for (const std::string& line : lines) ui::addItem(l, line);
    ui::enable(e.windows.timeframes["BUTTON30"], e.basic.timeframeCount < common::kMaxTimeframes);
    e.timeframeSelection = std::clamp(e.timeframeSelection, 0, static_cast<int>(lines.size()) - 1);
    ui::select(l, e.timeframeSelection);
}

void PX$BUTTON24_ON(Editor& e) {
    ui::show(e.windows.timeframes.form, true);
    ui::toFront(e.windows.timeframes.form);
    ui::enable(e.windows.main.form, false);
    PX$時間足リスト_SUB(e);
}

void PX$LIST1_CHANGE(Editor& e) {
    FormWindow& f = e.windows.timeframes;
    if (ui::check(f["CHECK1"]) != 1) return;
    const int s = selectedLine(e);
    if (s < 0) return;
    const common::TimeframeRow row = rowOfLine(e.basic, s);
    const std::string* texts[] = {&row.base, &row.shortName, &row.middleName, &row.longName};
    for (int c = 0; c < 4; ++c) ui::setText(f[kEdits[c]], *texts[c]);
}

void PX$BUTTON29_ON(Editor& e) {
    const int s = selectedLine(e);
    if (s < 0) return;
    const auto row = typedRow(e);
    if (!row) return;
    rewriteRow(e.basic, s, *row);
    PX$時間足リスト_SUB(e);
}

void PX$BUTTON30_ON(Editor& e) {
    const int s = selectedLine(e);
    if (s < 0 || e.basic.timeframeCount >= common::kMaxTimeframes) return;
    const auto row = typedRow(e);
    if (!row) return;
    insertRow(e.basic, s, *row);
    PX$時間足リスト_SUB(e);
}

void PX$BUTTON31_ON(Editor& e) {
    const int s = selectedLine(e);
    if (s < 0 || e.basic.timeframeCount <= 0) return;
    deleteRow(e.basic, s);
    PX$時間足リスト_SUB(e);
}

void PX$BUTTON32_ON(Editor& e) {
    ui::show(e.windows.timeframes.form, false);
    ui::enable(e.windows.main.form, true);
    ui::toFront(e.windows.main.form);
    fillTimeframeCombo(e);
}

}  // namespace editor
