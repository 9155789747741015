#include "diary/app/input_box.hpp"

#include <vector>

#include "common/number_input.hpp"
#include "common/ui/controls.hpp"
#include "runtime/sjis.hpp"
#include "runtime/strings.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace diary {

namespace {

constexpr const char* kDateFields[] = {"EDIT14", "EDIT15", "EDIT16", "EDIT17", "EDIT18", "EDIT19"};

// The windows the input box keeps disabled while it is open, and enables again after.
class DisabledWhileOpen {
public:
    DisabledWhileOpen(Diary& d, bool mainWindowToo) : d_(d), mainWindowToo_(mainWindowToo) {
        ui::enable(d.windows.trade.form, false);
        if (mainWindowToo) ui::enable(d.windows.main.form, false);
        for (FormWindow* w : {&d.windows.chart, &d.windows.memo, &d.windows.options})
            if (ui::isVisible(w->form)) {
                ui::enable(w->form, false);
                others_.push_back(w);
            }
    }
    ~DisabledWhileOpen() {
        // The program ends while the box waits (its main window was closed): nothing is
        // left to enable.
        if (!PV$CHECKOBJECT(&d_.windows.input.form) || !PV$CHECKOBJECT(&d_.windows.main.form)) return;
        ui::show(d_.windows.input.form, false);
        ui::enable(d_.windows.trade.form, true);
        ui::toFront(d_.windows.trade.form);
        if (mainWindowToo_) {
            ui::enable(d_.windows.main.form, true);
            ui::toFront(d_.windows.main.form);
        }
        for (FormWindow* w : others_) ui::enable(w->form, true);
    }
    DisabledWhileOpen(const DisabledWhileOpen&) = delete;
    DisabledWhileOpen& operator=(const DisabledWhileOpen&) = delete;

private:
    Diary& d_;
    bool mainWindowToo_;
    std::vector<FormWindow*> others_;
};

void setMode(Diary& d, std::int16_t mode) {
    d.inputBoxMode = mode;
    FormWindow& box = d.windows.input;
    ui::show(box["TEXT64"], mode == 2);
    for (const char* field : kDateFields) ui::show(box[field], mode == 2);
    ui::show(box["EDIT13"], mode == 1);
}

// Shows the box on top with the focus in its first field and waits until its OK or
// cancel handler answered; true for OK.
bool waitForAnswer(Diary& d, ObjectVar& firstField) {
    ObjectVar& form = d.windows.input.form;
    ui::show(form, true);
    ui::setTopmost(form, true);
    ui::toFront(form);
    PX$SETFOCUS(&firstField);
    d.inputBoxResult = 0;
    while (d.inputBoxResult == 0) PX$WAITEVENT(nullptr);
    return d.inputBoxResult == 53;
}

}  // namespace

void PX$INPUT_BOX1(Diary& d, std::string& titleAndResult, const std::string& prompt) {
    FormWindow& box = d.windows.input;
    setMode(d, 1);
    ui::setText(box.form, titleAndResult);
    ui::setText(box["TEXT63"], prompt);
    ui::setText(box["EDIT13"], "");
    const DisabledWhileOpen disabled(d, false);
    titleAndResult = waitForAnswer(d, box["EDIT13"]) ? ui::text(box["EDIT13"]) : kCancelled;
}

void PX$INPUT_BOX2(Diary& d, const std::string& title, const std::string& prompt, std::string& dateTime) {
    FormWindow& box = d.windows.input;
    setMode(d, 2);
    const long p = runtime::instr(dateTime, "20");
    for (int f = 0; f < 6; ++f) ui::setText(box[kDateFields[f]], runtime::mid(dateTime, p + 2 + 3 * f, 2));
    ui::setText(box.form, title);
    ui::setText(box["TEXT63"], prompt);
    const DisabledWhileOpen disabled(d, true);
    if (!waitForAnswer(d, box["EDIT14"])) {
        dateTime = kCancelled;
        return;
    }
    static constexpr float kinds[] = {common::kYearField,  common::kMonthField,  common::kDayField,
                                      common::kHourField,  common::kMinuteField, common::kMinuteField};
    std::string part[6];
    for (int f = 0; f < 6; ++f) {
        part[f] = ui::text(box[kDateFields[f]]);
        common::PX$IBOX_SUB(part[f], kinds[f]);
    }
    dateTime = "20" + part[0] + "/" + part[1] + "/" + part[2] + "_" + part[3] + ":" + part[4] + ":" + part[5];
}

void PX$INPUT_SUB(Diary& d, std::string& titleAndTyped, std::string& integerPart, std::string& fractionPart) {
    PX$INPUT_BOX1(d, titleAndTyped, "小数点以下も含めて現在の価格を入力"_sj);
    if (titleAndTyped == kCancelled) titleAndTyped.clear();
    common::splitPriceInput(titleAndTyped, integerPart, fractionPart);
}

}  // namespace diary
