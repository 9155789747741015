#pragma once
// The editor's program state: the basic data being edited, where they are written, what
// the open list form works on, and the forms. One instance for the run (editor()), as the
// handlers the toolkit calls by name have no other way to reach it.

#include <array>
#include <cstdint>
#include <string>

#include "common/basic_data/basic_data.hpp"
#include "editor/app/windows.hpp"
#include "editor/model/main_fields.hpp"

namespace editor {

struct Editor {
    std::string mainTitle;
    std::int16_t headerNumber = 300;
    std::int16_t commandCode = 0;

    common::BasicData basic;
    // The data as they were read (or the defaults), as the file writes them, and the main
    // form's four fields as they were shown then: the close box asks before it drops
    // anything that differs from them.
    std::string loadedText;
    MainFields loadedFields;

    // The folder of "基本データ.TXT", ending in "/", and where the catalogue-folder dialog
    // starts.
    std::string dataFolder;
    std::string lastChartFolder;

    // The "設　定" button that opened the list form now shown (groups 1..11, options
    // 12..16, pairs 23), the group or option it edits, and the sub-list whose chart box
    // was ticked last.
    int opener = 0;
    int currentGroup = 0;
    int currentOption = 0;
    int currentSubList = 0;
    // The catalogue folders of the open list form's sub-lists (0..3; the option form uses
    // 0): taken from the data when the form opens, set by the folder dialog, stored by
    // "登録" and dropped by "キャンセル".
    std::array<std::string, 4> chosenFolder{};

    // The line of the timeframe list selected last, selected again when the list is
    // refilled.
    int timeframeSelection = 0;

    Windows windows;
};

Editor& editor();

}  // namespace editor
