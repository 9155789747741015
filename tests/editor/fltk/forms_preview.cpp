// The editor's start-up on real windows, then each of its seven forms shown on its own in
// turn, for screenshots: the program prints "shown NAME" when a form is up and waits for a
// file "next" in the working folder before it shows the next one. Before that every
// caption is measured in its control's font, with the group frames and labels holding
// long names, and a line "clipped FORM.NAME ..." is printed for each that does not fit.
// At the end the editor ends as "登録しないで終了" does.
//   editor_forms_preview   (in a folder with a 基本データ.TXT)

#include <iostream>

#include "common/ui/controls.hpp"
#include "tests/support/form_preview.hpp"
#include "editor/app/editor_state.hpp"
#include "editor/app/list_forms.hpp"
#include "editor/app/main_form.hpp"
#include "editor/app/startup.hpp"
#include "editor/app/timeframe_form.hpp"
#include "runtime/objects.hpp"
#include "runtime/sjis.hpp"
#include "runtime/window_system.hpp"

namespace {

namespace ui = common::ui;

bool measuredAll(const std::string&, const std::string&) { return false; }

// The static labels the forms carry are attached here only to be measured.
void attachLabels(editor::Windows& w) {
    w.main.attachControls({"TEXT1", "TEXT2", "TEXT3", "TEXT43", "TEXT44", "TEXT45"});
    w.group.attachControls({"TEXT46", "TEXT47", "TEXT48"});
    w.group02.attachControls({"TEXT49", "TEXT50", "TEXT51"});
    w.option.attachControls({"TEXT52", "TEXT53"});
    w.pairs.attachControl("TEXT54");
    w.timeframes.attachControls({"TEXT55", "TEXT56", "TEXT57", "TEXT58"});
}

void mainProgram() {
    editor::Editor& e = editor::editor();
    editor::startUp(e);
    editor::Windows& w = e.windows;
    attachLabels(w);
    // Names as long as a trader would give them: eight full-width characters for a group,
    // seven and the "★" for a sub-list title.
    for (int g = 1; g <= 11; ++g) {
        e.basic.groups[static_cast<std::size_t>(g)].name = runtime::fromUtf8("エントリー根拠");
        for (int k = g == 2 ? 0 : 1; k <= 3; ++k) {
            e.basic.groups[static_cast<std::size_t>(g)].items[static_cast<std::size_t>(k)].name =
                runtime::fromUtf8("移動平均線の向");
            e.basic.groupChartMark[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)] = 1;
        }
    }
    for (int o = 1; o <= 5; ++o) {
        e.basic.options[static_cast<std::size_t>(o)].name = runtime::fromUtf8("経済指標発表前");
        e.basic.optionChartMark[static_cast<std::size_t>(o)] = 1;
    }
    // Lists with items, for the sub-forms to show as a trader fills them.
    const auto fill = [](common::SubItem& item, std::initializer_list<const char*> choices) {
        item.count = 0;
        for (const char* c : choices) item.choices[static_cast<std::size_t>(++item.count)] = runtime::fromUtf8(c);
    };
    fill(e.basic.groups[1].items[1], {"上昇", "下降", "横ばい"});
    fill(e.basic.groups[1].items[2], {"押し目", "戻り"});
    fill(e.basic.groups[2].items[0], {"東京", "ロンドン", "ニューヨーク"});
    e.basic.groups[2].items[1].name = "MIDDLE";
    fill(e.basic.groups[2].items[1], {"上位足に順行", "逆行"});
    e.basic.options[1].count = 2;
    e.basic.options[1].choices[1] = runtime::fromUtf8("雇用統計");
    e.basic.options[1].choices[2] = runtime::fromUtf8("政策金利");
    editor::showBasicData(e);
    editor::PX$時間足リスト_SUB(e);
    editor::FormWindow* forms[] = {&w.main, &w.options, &w.group, &w.group02, &w.option, &w.pairs, &w.timeframes};
    for (editor::FormWindow* form : forms) preview::reportClippedCaptions(*form, measuredAll);
    for (editor::FormWindow* shown : forms) {
        // Each sub-form opened on its data, as its "設定" button opens it.
        if (shown == &w.group) editor::openGroup(e, 1);
        if (shown == &w.group02) editor::openGroup(e, 2);
        if (shown == &w.option) editor::openOption(e, 1);
        if (shown == &w.pairs) editor::PX$BUTTON23_ON(e);
        for (editor::FormWindow* other : forms)
            if (other != shown) ui::show(other->form, false);
        ui::move(shown->form, 0, 0);
        ui::show(shown->form, true);
        ui::toFront(shown->form);
        PV$CALLEVENT();
        std::cout << "shown " << shown->name() << std::endl;
        preview::waitForNext();
    }
    editor::PX$BUTTON34_ON(e);
}

}  // namespace

int main(int argc, char** argv) { return runtime::runProgram(argc, argv, mainProgram); }
