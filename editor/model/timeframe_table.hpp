#pragma once
// The timeframe table of the basic data as the timeframe form edits it: rows 1..count of
// four columns (the base timeframe, then its SHORT, MIDDLE and LONG timeframes), shown as
// list lines with "新規作成" after the last row while there is room for one more. Line s
// (from 0) of the list stands for row s + 1; line count is "新規作成".

#include <string>
#include <vector>

#include "common/basic_data/basic_data.hpp"

namespace editor {

// The list lines: each column padded to its widest entry, joined by "　　" after the base
// timeframe and "　" between the others; "新規作成" last when count < 20.
std::vector<std::string> timeframeLines(const common::BasicData& data);

// The row that line s shows in the four edits. Line "新規作成" clears the row after the
// last first, so that it shows empty edits and a stale row is never taken over.
common::TimeframeRow rowOfLine(common::BasicData& data, int s);

// "書換登録": row s + 1 becomes `row`; on "新規作成" the row is appended. A line outside
// the list changes nothing.
void rewriteRow(common::BasicData& data, int s, const common::TimeframeRow& row);
// "挿入登録": `row` is inserted before row s + 1 (on "新規作成": appended). Only while
// the table has room; false when nothing was inserted.
bool insertRow(common::BasicData& data, int s, const common::TimeframeRow& row);
// "一行削除": row s + 1 goes and the rows after it move up. "新規作成", or a line
// outside the list, changes nothing.
void deleteRow(common::BasicData& data, int s);

}  // namespace editor
