#include "editor/model/timeframe_table.hpp"

#include "common/align.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace editor {

namespace {

using common::kMaxTimeframes;
using common::TimeframeRow;

TimeframeRow& row(common::BasicData& d, int r) { return d.timeframes[static_cast<std::size_t>(r)]; }

// Column c (0..3) of rows 1..count, padded to a common width, element 0 first.
std::vector<std::string> paddedColumn(const common::BasicData& d, std::string TimeframeRow::*column) {
    std::vector<std::string> list(static_cast<std::size_t>(d.timeframeCount) + 1);
    for (int r = 1; r <= d.timeframeCount; ++r)
        list[static_cast<std::size_t>(r)] = d.timeframes[static_cast<std::size_t>(r)].*column;
    common::PX$文字列整理_SUB(list, 0, d.timeframeCount);
    return list;
}

bool isLine(const common::BasicData& d, int s) {
    const int last = d.timeframeCount < kMaxTimeframes ? d.timeframeCount : d.timeframeCount - 1;
    return s >= 0 && s <= last;
}

}  // namespace

std::vector<std::string> timeframeLines(const common::BasicData& d) {
    const auto base = paddedColumn(d, &TimeframeRow::base);
    const auto shorter = paddedColumn(d, &TimeframeRow::shortName);
    const auto middle = paddedColumn(d, &TimeframeRow::middleName);
    const auto longer = paddedColumn(d, &TimeframeRow::longName);
    std::vector<std::string> lines;
    for (std::size_t r = 1; r <= static_cast<std::size_t>(d.timeframeCount); ++r)
        lines.push_back(base[r] + "　　"_sj + shorter[r] + "　"_sj + middle[r] + "　"_sj + longer[r]);
    if (d.timeframeCount < kMaxTimeframes) lines.push_back("新規作成"_sj);
    return lines;
}

TimeframeRow rowOfLine(common::BasicData& d, int s) {
    if (!isLine(d, s)) return {};
    if (s == d.timeframeCount) row(d, s + 1) = {};
    return row(d, s + 1);
}

void rewriteRow(common::BasicData& d, int s, const TimeframeRow& r) {
    if (!isLine(d, s)) return;
    if (s == d.timeframeCount) ++d.timeframeCount;
    row(d, s + 1) = r;
}

bool insertRow(common::BasicData& d, int s, const TimeframeRow& r) {
    if (d.timeframeCount >= kMaxTimeframes || !isLine(d, s)) return false;
    ++d.timeframeCount;
    for (int j = d.timeframeCount - 1; j >= s + 1; --j) row(d, j + 1) = row(d, j);
    row(d, s + 1) = r;
    return true;
}

void deleteRow(common::BasicData& d, int s) {
    if (d.timeframeCount <= 0 || !isLine(d, s) || s == d.timeframeCount) return;
    for (int j = s + 2; j <= d.timeframeCount; ++j) row(d, j - 1) = row(d, j);
    row(d, d.timeframeCount) = {};
    --d.timeframeCount;
}

}  // namespace editor
