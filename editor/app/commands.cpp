#include "editor/app/commands.hpp"

#include <array>

#include "editor/app/chart_boxes.hpp"
#include "editor/app/list_forms.hpp"
#include "editor/app/main_form.hpp"
#include "editor/app/timeframe_form.hpp"
#include "toolkit/toolkit.hpp"

namespace editor {

namespace {

using Routine = void (*)(Editor&, int code);

constexpr std::array<Routine, 52> kRoutines = [] {
    std::array<Routine, 52> r{};
    for (int g = 1; g <= 11; ++g) r[static_cast<std::size_t>(g)] = [](Editor& e, int code) { openGroup(e, code); };
    for (int b = 12; b <= 16; ++b)
        r[static_cast<std::size_t>(b)] = [](Editor& e, int code) { openOption(e, code - 11); };
    r[command::StoreGroup] = [](Editor& e, int) { PX$BUTTON17_ON(e); };
    r[command::CancelGroup] = [](Editor& e, int) { cancelListForm(e, e.windows.group); };
    r[command::StoreGroup02] = [](Editor& e, int) { PX$BUTTON19_ON(e); };
    r[command::CancelGroup02] = [](Editor& e, int) { cancelListForm(e, e.windows.group02); };
    r[command::StoreOption] = [](Editor& e, int) { PX$BUTTON21_ON(e); };
    r[command::CancelOption] = [](Editor& e, int) { cancelListForm(e, e.windows.option); };
    r[command::OpenPairs] = [](Editor& e, int) { PX$BUTTON23_ON(e); };
    r[command::StorePairs] = [](Editor& e, int) { PX$BUTTON25_ON(e); };
    r[command::CancelPairs] = [](Editor& e, int) { cancelListForm(e, e.windows.pairs); };
    r[command::OpenOptions] = [](Editor& e, int) { PX$BUTTON27_ON(e); };
    r[command::CloseOptions] = [](Editor& e, int) { PX$BUTTON28_ON(e); };
    r[command::OpenTimeframes] = [](Editor& e, int) { PX$BUTTON24_ON(e); };
    r[command::RewriteRow] = [](Editor& e, int) { PX$BUTTON29_ON(e); };
    r[command::InsertRow] = [](Editor& e, int) { PX$BUTTON30_ON(e); };
    r[command::DeleteRow] = [](Editor& e, int) { PX$BUTTON31_ON(e); };
    r[command::CloseTimeframes] = [](Editor& e, int) { PX$BUTTON32_ON(e); };
    r[command::TimeframeClicked] = [](Editor& e, int) { PX$LIST1_CHANGE(e); };
    r[command::SaveAndEnd] = [](Editor& e, int) { PX$BUTTON33_ON(e); };
    r[command::EndWithoutSaving] = [](Editor& e, int) { PX$BUTTON34_ON(e); };
    r[command::MainCloseBox] = [](Editor& e, int) { closeBoxOfMainForm(e); };
    for (int c = command::FirstChartBox; c <= command::LastChartBox; ++c)
        r[static_cast<std::size_t>(c)] = [](Editor& e, int code) { chartBoxClicked(e, code - 40); };
    return r;
}();

}  // namespace

void runCommand(Editor& e, int code) {
    if (code < 0 || code >= static_cast<int>(kRoutines.size())) return;
    if (const Routine routine = kRoutines[static_cast<std::size_t>(code)]) routine(e, code);
}

void mainLoop(Editor& e) {
    while (true) {
        e.commandCode = 0;
        while (e.commandCode == 0) PX$WAITEVENT(nullptr);
        runCommand(e, e.commandCode);
    }
}

}  // namespace editor
