#include "diary/app/windows.hpp"

#include "common/control_names.hpp"
#include "common/ui/controls.hpp"

namespace diary {

namespace {

using common::controlName;

void attachMain(FormWindow& f) {
    common::ui::attach(f.form, nullptr, f.name());
    f.attachControls({"LIST1", "BUTTON21", "BUTTON22", "TEXT9", "TEXT56", "BUTTON50", "CHECK4", "TEXT57", "TEXT58",
                      "TEXT59", "TEXT60", "BUTTON55", "BUTTON56"});
}

void attachTrade(FormWindow& f) {
    f.attachControls({"BUTTON6", "BUTTON9", "BUTTON10", "BUTTON11", "BUTTON12", "BUTTON13", "BUTTON20", "COMBO2",
                      "COMBO3", "EDIT2", "TEXT1", "EDIT3", "EDIT4", "EDIT5", "EDIT6", "TEXT2", "TEXT3", "TEXT4",
                      "TEXT5", "TEXT6", "COMBO4", "EDIT7", "TEXT7", "EDIT8", "TEXT8", "BUTTON24", "EDIT11", "EDIT12",
                      "BUTTON32", "TEXT53", "TEXT54", "TEXT55", "BUTTON51", "TEXT61", "TEXT62", "BUTTON52", "TEXT65",
                      "BUTTON57", "BUTTON58", "EDIT20", "TEXT68", "EDIT21", "TEXT69", "TEXT70", "BUTTON63"});
    // The group frames with their chart buttons, labels and combo boxes.
    for (int g = 1; g <= 11; ++g) {
        f.attachControl(common::groupFrameName(g));
        f.attachControl(common::groupButtonName(g));
        for (int i = g == 2 ? 0 : 1; i <= 3; ++i) {
            f.attachControl(common::groupItemTextName(i, g));
            f.attachControl(common::groupItemComboName(i, g));
        }
    }
}

}  // namespace

void createWindows(Windows& w) {
    attachMain(w.main);
    const auto create = [](FormWindow& f) { common::ui::createForm(f.form, f.name(), false); };

    create(w.trade);
    attachTrade(w.trade);

    create(w.memo);
    w.memo.attachControls({"EDIT1", "BUTTON14", "BUTTON15", "BUTTON16", "BUTTON17", "BUTTON18", "BUTTON19"});

    create(w.closedTrades);
    w.closedTrades.attachControls({"BUTTON23", "LIST2", "LIST3", "TEXT10", "TEXT11", "EDIT9", "EDIT10", "LIST4",
                                   "LIST5", "LIST6", "TEXT12", "TEXT13", "CHECK1", "BUTTON33", "BUTTON34", "BUTTON35",
                                   "BUTTON36", "BUTTON37", "BUTTON38", "CHECK2", "CHECK3", "BUTTON49", "COMBO45",
                                   "TEXT66"});

    create(w.options);
    for (int k = 1; k <= 5; ++k) {
        w.options.attachControl(common::optionComboName(k));
        w.options.attachControl(common::optionTextName(k));
        w.options.attachControl(common::optionButtonName(k));
    }

    create(w.input);
    w.input.attachControls({"TEXT63", "EDIT13", "TEXT64", "BUTTON53", "BUTTON54", "EDIT14", "EDIT15", "EDIT16",
                            "EDIT17", "EDIT18", "EDIT19", "CHECK5"});

    create(w.checklist);
    for (int n = 6; n <= 29; ++n) w.checklist.attachControl(controlName("CHECK", n));
    w.checklist.attachControls({"TEXT67", "BUTTON59", "BUTTON60", "BUTTON61", "BUTTON62"});

    create(w.chart);
    w.chart.attachControls({"PICTURE1", "HSCROLL1", "VSCROLL1", "BUTTON1", "BUTTON2", "COMBO1", "BUTTON3", "BUTTON4",
                            "BUTTON5", "BUTTON7", "BUTTON31", "COMBO44"});
}

}  // namespace diary
