#include "diary/app/control_names.hpp"

#include "common/ui/controls.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace diary {

namespace {

// Attaches a control to a shared handle, letting go of the control it held before.
void attachShared(ObjectVar& handle, ObjectVar& form, const std::string& name, float fontSize) {
    if (handle != 0 && PV$CHECKOBJECT(&handle)) PX$DETACH(&handle);
    common::ui::attach(handle, &form, name);
    common::ui::setFontSize(handle, fontSize);
}

}  // namespace

void PX$TEXT_NO_SUB3(Diary& d, int i, int g) {
    attachShared(d.itemControl, d.windows.trade.form, groupItemTextName(i, g), 10);
}
void PX$COMBO_NO_SUB3(Diary& d, int i, int g) {
    attachShared(d.comboControl, d.windows.trade.form, groupItemComboName(i, g), 12);
}
void PX$GROUP_NO_SUB3(Diary& d, int g) { attachShared(d.groupControl, d.windows.trade.form, groupFrameName(g), 14); }
void PX$BUTTON_NO_SUB3(Diary& d, int g) {
    attachShared(d.buttonControl, d.windows.trade.form, groupButtonName(g), 12);
}
void PX$TEXT_NO_SUB1(Diary& d, int k) { attachShared(d.itemControl, d.windows.options.form, optionTextName(k), 10); }
void PX$COMBO_NO_SUB1(Diary& d, int k) {
    attachShared(d.comboControl, d.windows.options.form, optionComboName(k), 12);
}
void PX$BUTTON_NO_SUB1(Diary& d, int k) {
    attachShared(d.buttonControl, d.windows.options.form, optionButtonName(k), 10);
}
void PX$OTH_BUTTON_NO_SUB(Diary& d, int n) {
    attachShared(d.buttonControl, d.windows.options.form, common::controlName("BUTTON", n), 10);
}

std::string markedGroupLabel(const BasicData& data, int i, int g, const std::string& label) {
    return data.groupChartMark[i][g] == 1 ? "★"_sj + label : label;
}
std::string markedOptionLabel(const BasicData& data, int k, const std::string& label) {
    return data.optionChartMark[k] == 1 ? "★"_sj + label : label;
}

void PX$SETCGT_SUB3(Diary& d, int i, int g, const std::string& label) {
    PX$TEXT_NO_SUB3(d, i, g);
    common::ui::setText(d.itemControl, markedGroupLabel(d.basic, i, g, label));
    PX$DETACH(&d.itemControl);
}

void PX$SETCGT_SUB1(Diary& d, int k, const std::string& label) {
    PX$TEXT_NO_SUB1(d, k);
    common::ui::setText(d.itemControl, markedOptionLabel(d.basic, k, label));
    PX$DETACH(&d.itemControl);
}

}  // namespace diary
