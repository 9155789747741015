#pragma once
// The chart catalogue of a choice list: a group or option choice combo whose list has a
// folder of example charts opens the viewer on that folder; entry i of the folder's
// sorted images pictures choice i + 1, and "登録" chooses the one shown.

#include <cstdint>

#include "diary/app/diary_state.hpp"

namespace diary {

void openGroupCatalogue(Diary& d);   // command 26
void openOptionCatalogue(Diary& d);  // command 27
void catalogueEntryChosen(Diary& d); // command 28, COMBO44 changed
// "登録" in catalogue mode (command 4): the shown image's choice selected and recorded.
void chooseCatalogueEntry(Diary& d);
// The viewer closed in catalogue mode without a choice: the trade windows usable again.
void closeCatalogue(Diary& d);

}  // namespace diary
