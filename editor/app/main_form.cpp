#include "editor/app/main_form.hpp"

#include "common/basic_data/basic_data_file.hpp"
#include "common/control_names.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"
#include "runtime/window_system.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace editor {

namespace {

template <std::size_t N>
void fillCombo(ObjectVar& combo, const std::array<std::string, N>& items, int count) {
    ui::clearItems(combo);
    for (int j = 0; j <= count; ++j) ui::addItem(combo, items[static_cast<std::size_t>(j)]);
    ui::select(combo, 0);
}

std::string starred(std::int16_t mark, const std::string& title) { return mark == 1 ? "★"_sj + title : title; }

}  // namespace

void PX$SETCGT_SUB3(Editor& e, int g, int k) {
    const auto& item = e.basic.groups[static_cast<std::size_t>(g)].items[static_cast<std::size_t>(k)];
    const std::int16_t mark = e.basic.groupChartMark[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)];
    ui::setText(e.windows.main[subListLabelName(g, k)], starred(mark, item.name));
}

void PX$SETCGT_SUB1(Editor& e, int o) {
    const auto& option = e.basic.options[static_cast<std::size_t>(o)];
    ui::setText(e.windows.options[optionLabelName(o)],
                starred(e.basic.optionChartMark[static_cast<std::size_t>(o)], option.name));
}

void fillSubListCombo(Editor& e, int g, int k) {
    const auto& item = e.basic.groups[static_cast<std::size_t>(g)].items[static_cast<std::size_t>(k)];
    fillCombo(e.windows.main[subListComboName(g, k)], item.choices, item.count);
}

void fillOptionCombo(Editor& e, int o) {
    const auto& option = e.basic.options[static_cast<std::size_t>(o)];
    fillCombo(e.windows.options[optionComboName(o)], option.choices, option.count);
}

void fillPairCombo(Editor& e) { fillCombo(e.windows.main["COMBO1"], e.basic.currencyPairs, e.basic.currencyPairCount); }

void fillTimeframeCombo(Editor& e) {
    ObjectVar& combo = e.windows.main["COMBO3"];
    ui::clearItems(combo);
    for (int r = 0; r <= e.basic.timeframeCount; ++r) ui::addItem(combo, e.basic.timeframes[static_cast<std::size_t>(r)].base);
    ui::select(combo, 0);
}

void showBasicData(Editor& e) {
    FormWindow& main = e.windows.main;
    fillPairCombo(e);
    fillTimeframeCombo(e);
    const MainFields fields = mainFieldsOf(e.basic);
    ui::setText(main["EDIT1"], fields.lots);
    ui::setText(main["EDIT2"], fields.unit);
    ui::setText(main["EDIT18"], fields.stock);
    ui::setText(main["EDIT19"], fields.chartFolder);
    for (int g = 1; g <= common::kGroupCount; ++g) {
        ui::setText(main[groupFrameName(g)], e.basic.groups[static_cast<std::size_t>(g)].name);
        for (int k = common::firstItemOf(g); k <= 3; ++k) {
            PX$SETCGT_SUB3(e, g, k);
            fillSubListCombo(e, g, k);
        }
    }
    for (int o = 1; o <= common::kOptionCount; ++o) {
        PX$SETCGT_SUB1(e, o);
        fillOptionCombo(e, o);
    }
}

MainFields mainFieldsShown(Editor& e) {
    FormWindow& main = e.windows.main;
    return {ui::text(main["EDIT1"]), ui::text(main["EDIT2"]), ui::text(main["EDIT18"]), ui::text(main["EDIT19"])};
}

void PX$BUTTON27_ON(Editor& e) {
    ui::show(e.windows.main.form, false);
    ui::show(e.windows.options.form, true);
    ui::toFront(e.windows.options.form);
}

void PX$BUTTON28_ON(Editor& e) {
    ui::show(e.windows.option.form, false);
    ui::show(e.windows.options.form, false);
    ui::show(e.windows.main.form, true);
    ui::toFront(e.windows.main.form);
}

std::string basicDataPath(const Editor& e) { return e.dataFolder + "基本データ.TXT"_sj; }

void PX$BUTTON33_ON(Editor& e) {
    common::BasicData saved = e.basic;
    if (const auto refusal = takeMainFields(mainFieldsShown(e), saved)) {
        common::PV$STOP_SUB(refusal->caption, refusal->text);
        return;
    }
    runtime::writeFileSafely(runtime::nativePath(basicDataPath(e)), common::writeBasicData(saved));
    PX$BUTTON34_ON(e);
}

void PX$BUTTON34_ON(Editor& e) {
    Windows& w = e.windows;
    for (FormWindow* f : {&w.options, &w.group, &w.group02, &w.option, &w.pairs, &w.timeframes, &w.main})
        ui::destroy(f->form);
    throw runtime::ProgramEnd{0};
}

bool somethingChanged(Editor& e) {
    return mainFieldsShown(e) != e.loadedFields || common::writeBasicData(e.basic) != e.loadedText;
}

void closeBoxOfMainForm(Editor& e) {
    if (somethingChanged(e)) {
        const int answer = ui::messageBox(&e.windows.main.form, "終了の確認"_sj,
                                          "設定が変更されています。\r\n変更を登録しないで終了しますか？"_sj, ui::box::YesNo,
                                          ui::box::QuestionIcon);
        if (answer != ui::box::Yes) return;
    }
    PX$BUTTON34_ON(e);
}

}  // namespace editor
