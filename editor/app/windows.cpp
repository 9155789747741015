#include "editor/app/windows.hpp"

#include "common/basic_data/basic_data.hpp"
#include "common/control_names.hpp"
#include "common/ui/controls.hpp"

namespace editor {

namespace {

using common::controlName;

int subListNumber(int g, int k) { return g == 1 ? k + 3 : 3 * g + k + 1; }

void attachMain(FormWindow& f) {
    common::ui::attach(f.form, nullptr, f.name());
    f.attachControls({"COMBO1", "BUTTON23", "COMBO3", "BUTTON24", "EDIT1", "EDIT2", "EDIT18", "EDIT19", "BUTTON27",
                      "BUTTON33", "BUTTON34"});
    for (int g = 1; g <= common::kGroupCount; ++g) {
        f.attachControl(groupFrameName(g));
        f.attachControl(controlName("BUTTON", g));
        for (int k = common::firstItemOf(g); k <= 3; ++k) {
            f.attachControl(subListLabelName(g, k));
            f.attachControl(subListComboName(g, k));
        }
    }
}

}  // namespace

std::string subListLabelName(int g, int k) { return controlName("TEXT", subListNumber(g, k)); }
std::string subListComboName(int g, int k) { return controlName("COMBO", subListNumber(g, k)); }
std::string groupFrameName(int g) { return controlName("GROUP", g); }
std::string optionLabelName(int o) { return controlName("TEXT", 37 + o); }
std::string optionComboName(int o) { return controlName("COMBO", 37 + o); }

void createWindows(Windows& w) {
    attachMain(w.main);
    const auto create = [](FormWindow& f) { common::ui::createForm(f.form, f.name(), false); };

    create(w.options);
    for (int o = 1; o <= common::kOptionCount; ++o) {
        w.options.attachControl(optionLabelName(o));
        w.options.attachControl(optionComboName(o));
        w.options.attachControl(controlName("BUTTON", 11 + o));
    }
    w.options.attachControl("BUTTON28");

    create(w.group);
    w.group.attachControls({"EDIT3", "COMBO43", "COMBO44", "COMBO45", "EDIT4", "EDIT5", "EDIT6", "CHECK2", "CHECK3",
                            "CHECK4", "BUTTON17", "BUTTON18"});
    create(w.group02);
    w.group02.attachControls({"EDIT7", "COMBO46", "COMBO47", "COMBO48", "COMBO49", "EDIT8", "EDIT9", "EDIT10",
                              "EDIT11", "CHECK5", "CHECK6", "CHECK7", "CHECK8", "BUTTON19", "BUTTON20"});
    create(w.option);
    w.option.attachControls({"COMBO50", "EDIT12", "CHECK9", "BUTTON21", "BUTTON22"});
    create(w.pairs);
    w.pairs.attachControls({"EDIT13", "BUTTON25", "BUTTON26"});
    create(w.timeframes);
    w.timeframes.attachControls({"LIST1", "EDIT14", "EDIT15", "EDIT16", "EDIT17", "CHECK1", "BUTTON29", "BUTTON30",
                                 "BUTTON31", "BUTTON32"});
}

}  // namespace editor
