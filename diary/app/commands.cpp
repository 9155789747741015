#include "diary/app/commands.hpp"

#include <array>

#include "diary/app/chart_catalogue.hpp"
#include "diary/app/chart_commands.hpp"
#include "diary/app/copy_paste.hpp"
#include "diary/app/folder_move.hpp"
#include "diary/app/memo_window.hpp"
#include "diary/app/price_input.hpp"
#include "diary/app/review_charts.hpp"
#include "diary/app/review_window.hpp"
#include "diary/app/time_stop.hpp"
#include "diary/app/timeframes.hpp"
#include "diary/app/trade_commands.hpp"

namespace diary {

namespace {

using Routine = void (*)(Diary&);

// Command code -> routine.
constexpr std::array<Routine, 46> kRoutines = [] {
    std::array<Routine, 46> r{};
    r[command::ChartImage] = openChartSlot;
    r[command::PreviousImage] = previousImage;
    r[command::NextImage] = nextImage;
    r[command::RegisterChart] = registerChart;
    r[command::DetachChart] = detachChart;
    r[command::CloseViewer] = closeViewer;
    r[command::OpenListLine] = openListLine;
    r[command::OpenReview] = openReview;
    r[command::CloseReview] = closeReview;
    r[command::ShowEntry] = showEntry;
    r[command::ShowRecord] = showRecord;
    r[command::EntryChart] = showEntryChart;
    r[command::RecordChart] = showRecordChart;
    r[command::GroupCatalogue] = openGroupCatalogue;
    r[command::OptionCatalogue] = openOptionCatalogue;
    r[command::CatalogueChoice] = catalogueEntryChosen;
    r[command::PlusFilter] = plusFilterClicked;
    r[command::MinusFilter] = minusFilterChanged;
    r[command::EditOrientationMemo] = editOrientationMemo;
    r[command::StartOrSettle] = startOrSettle;
    r[command::Hold] = holdTrade;
    r[command::Cancel] = cancelTrade;
    r[command::MoveDataFolder] = moveDataFolder;
    r[command::ChoiceChanged] = [](Diary& d) { recordChoice(d, d.changedCombo); };
    r[command::TimeframeChanged] = relabel;
    r[command::ConfirmDateTime] = confirmDateTime;
    r[command::CloseMemo] = closeMemoWindow;
    r[command::PriceInput] = priceInput;
    r[command::ArmEmergency] = armEmergency;
    r[command::StampStopLoss] = stampStopLoss;
    r[command::StopLossToPrice] = stopLossToPrice;
    r[command::EditStopLossTime] = editStopLossTime;
    r[command::EditConfirmTime] = editConfirmTime;
    r[command::EditEmergencyTime] = editEmergencyTime;
    r[command::SetTimeStop] = setTimeStop;
    r[command::ReleaseTimeStop] = releaseTimeStop;
    r[command::Copy] = copyRecord;
    r[command::Paste] = openPasteWindow;
    r[command::CheckAll] = checkAllPasteItems;
    r[command::ClearAll] = clearAllPasteItems;
    r[command::PasteSelected] = pasteSelected;
    r[command::CancelPaste] = cancelPaste;
    r[command::TargetToPrice] = targetToPrice;
    r[command::EditTargetTime] = editTargetTime;
    r[command::StampTarget] = stampTarget;
    return r;
}();

}  // namespace

void runCommand(Diary& d, int code) {
    if (code < 0 || code >= static_cast<int>(kRoutines.size())) return;
    if (const Routine routine = kRoutines[static_cast<std::size_t>(code)]) routine(d);
}

}  // namespace diary
