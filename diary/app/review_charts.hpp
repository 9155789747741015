#pragma once
// The closed trade's charts from the review window FORM5: a line of LIST5 (the entry's
// charts) or LIST6 (a settlement's or memo record's) shown in the viewer in review mode,
// ← / → walking that list, and every chart of a list exported under a readable name.

#include <string>

#include "diary/app/diary_state.hpp"

namespace diary {

void showEntryChart(Diary& d);   // command 15, a click on LIST5
void showRecordChart(Diary& d);  // command 16, a click on LIST6

// The export folder asked for with the save dialog, ending in "/"; empty when the user
// cancelled.
std::string PX$LIST56フォルダ_SUB(Diary& d);
// One chart copied from the chart folder to `folder` as base name + " " + label +
// extension, overwriting. A chart that is missing, or whose name or label would reach
// outside the folders, is reported and skipped.
void PX$LIST56転送_SUB(Diary& d, const std::string& folder, const std::string& file, const std::string& label);
// BUTTON37 (`entryList`: LIST5) and BUTTON38 (LIST6): every chart of the list exported.
void exportCharts(Diary& d, bool entryList);

}  // namespace diary
