#include "diary/app/memo_window.hpp"

#include "common/ui/controls.hpp"
#include "diary/app/review_window.hpp"

namespace ui = common::ui;

namespace diary {

void openMemoWindow(Diary& d) {
    ObjectVar& memo = d.windows.memo.form;
    ui::show(memo, true);
    d.trade.memoWindowShown = 1;
    ui::toFront(memo);
}

void closeMemoWindow(Diary& d) {
    if (d.review.reviewMode == 1) {
        storeOrientationMemo(d);
        return;
    }
    ui::show(d.windows.memo.form, false);
    d.trade.memoWindowShown = 0;
}

void openOptionWindow(Diary& d) {
    ui::show(d.windows.options.form, true);
    ui::toFront(d.windows.options.form);
}

}  // namespace diary
