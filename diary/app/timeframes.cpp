#include "diary/app/timeframes.hpp"

#include "common/date_time.hpp"
#include "common/ui/controls.hpp"
#include "diary/app/control_names.hpp"

namespace ui = common::ui;

namespace diary {

namespace {

// Selects `index` in a combo box, or choice 0 when the box has no such entry (a
// hand-edited record may name one the basic data no longer offer).
void selectChoice(ObjectVar& combo, int index) { ui::select(combo, index >= 0 && index < ui::itemCount(combo) ? index : 0); }

TradeRecord& openRecord(Diary& d) { return d.table.at(d.table.currentIndex); }

}  // namespace

void PV$時間足割当_SUB(const BasicData& basic, const std::string& kind, std::string& label, std::int16_t index) {
    if (index < 0 || index > kMaxTimeframes) return;
    const TimeframeRow& row = basic.timeframes[static_cast<std::size_t>(index)];
    if (kind == "SHORT") label = row.shortName;
    else if (kind == "MIDDLE") label = row.middleName;
    else if (kind == "LONG") label = row.longName;
}

void relabel(Diary& d) {
    const auto t = static_cast<std::int16_t>(ui::selection(d.windows.trade["COMBO4"]));
    TradeRecord& r = openRecord(d);
    for (int g = 1; g <= kGroupCount; ++g) {
        const Group& group = d.basic.groups[g];
        if (group.used != 1) continue;
        for (int i = firstItemOf(g); i <= 3; ++i) {
            if (group.items[i].used != 1) continue;
            std::string& label = d.itemDisplayLabel[g][i];
            PV$時間足割当_SUB(d.basic, group.items[i].name, label, t);
            PX$SETCGT_SUB3(d, i, g, label);
            r.groups[g].items[i].label = label;
        }
    }
    for (int k = 1; k <= kOptionCount; ++k) {
        const Option& option = d.basic.options[k];
        if (option.used != 1) continue;
        std::string& label = d.optionDisplayLabel[k];
        PV$時間足割当_SUB(d.basic, option.name, label, t);
        PX$SETCGT_SUB1(d, k, label);
        r.options[k].choice.label = label;
    }
}

void recordChoice(Diary& d, int n) {
    TradeRecord& r = openRecord(d);
    const auto stamp = [&d](RecordChoice& c, int s, const std::string& text) {
        if (s == 0) {
            c.time.clear();
        } else {
            common::PX$日時_SUB(d.clock);
            c.time = d.clock.nowText;
        }
        c.text = text;
        c.index = static_cast<std::int16_t>(s);
    };
    if (n >= 5 && n <= 9) {
        const int k = n - 4;
        const int s = ui::selection(d.windows.options[optionComboName(k)]);
        if (s < 0 || s > kMaxChoices || r.options[k].version > 300) return;
        stamp(r.options[k].choice, s, d.basic.options[k].choices[s]);
        return;
    }
    int g = 0, i = 0;
    if (n >= 10 && n <= 12) g = 1, i = n - 9;
    else if (n >= 13 && n <= 16) g = 2, i = n - 13;
    else if (n >= 17 && n <= 43) g = (n - 2) / 3 - 2, i = n - 3 * g - 7;
    else return;
    const int s = ui::selection(d.windows.trade[groupItemComboName(i, g)]);
    if (s < 0 || s > kMaxChoices || r.groups[g].version > 300) return;
    stamp(r.groups[g].items[i], s, d.basic.groups[g].items[i].choices[s]);
}

void fillChoices(Diary& d, const TradeRecord& r) {
    for (int k = 1; k <= kOptionCount; ++k) selectChoice(d.windows.options[optionComboName(k)], r.options[k].choice.index);
    for (int g = 1; g <= kGroupCount; ++g)
        for (int i = firstItemOf(g); i <= 3; ++i)
            selectChoice(d.windows.trade[groupItemComboName(i, g)], r.groups[g].items[i].index);
    relabel(d);
}

}  // namespace diary
