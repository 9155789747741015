// The timeframe rows as the timeframe form edits them: lines with "新規作成" while there
// is room, rewriting, inserting and deleting on a line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/basic_data/basic_data.hpp"
#include "editor/model/timeframe_table.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
using common::BasicData;
using common::TimeframeRow;

namespace {

BasicData withBases(std::vector<std::string> bases) {
    BasicData d = common::defaultBasicData();
    d.timeframeCount = static_cast<std::int16_t>(bases.size());
    for (std::size_t r = 1; r < d.timeframes.size(); ++r) d.timeframes[r] = {};
    for (std::size_t r = 0; r < bases.size(); ++r) d.timeframes[r + 1] = {bases[r], "S", "M", "L"};
    return d;
}

std::vector<std::string> bases(const BasicData& d) {
    std::vector<std::string> b;
    for (int r = 1; r <= d.timeframeCount; ++r) b.push_back(d.timeframes[static_cast<std::size_t>(r)].base);
    return b;
}

const TimeframeRow kNew{"N", "n1", "n2", "n3"};

}  // namespace

TEST(TimeframeTable, LinesPadEachColumnAndOfferNewWhileThereIsRoom) {
    BasicData d = withBases({"A", "BBB"});
    d.timeframes[1].longName = "１５分足相当"_sj;
    const std::vector<std::string> lines = editor::timeframeLines(d);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "A  "_sj + "　　S　M　１５分足相当"_sj);
    EXPECT_EQ(lines[1], "BBB　　S　M　L           "_sj);
    EXPECT_EQ(lines[2], "新規作成"_sj);

    BasicData full = withBases(std::vector<std::string>(20, "X"));
    EXPECT_EQ(editor::timeframeLines(full).size(), 20u);
    EXPECT_EQ(editor::timeframeLines(withBases({})), std::vector<std::string>{"新規作成"_sj});
}

TEST(TimeframeTable, RowOperationsOnALine) {
    struct Case {
        const char* what;
        void (*op)(BasicData&, int);
        int line;
        std::vector<std::string> before, after;
    } cases[] = {
        {"rewrite row 2", [](BasicData& d, int s) { editor::rewriteRow(d, s, kNew); }, 1, {"A", "B", "C"}, {"A", "N", "C"}},
        {"rewrite on new appends", [](BasicData& d, int s) { editor::rewriteRow(d, s, kNew); }, 3, {"A", "B", "C"},
         {"A", "B", "C", "N"}},
        {"insert before row 1", [](BasicData& d, int s) { editor::insertRow(d, s, kNew); }, 0, {"A", "B", "C"},
         {"N", "A", "B", "C"}},
        {"insert before the last row", [](BasicData& d, int s) { editor::insertRow(d, s, kNew); }, 2, {"A", "B", "C"},
         {"A", "B", "N", "C"}},
        {"insert on new appends", [](BasicData& d, int s) { editor::insertRow(d, s, kNew); }, 3, {"A", "B", "C"},
         {"A", "B", "C", "N"}},
        {"insert into an empty table", [](BasicData& d, int s) { editor::insertRow(d, s, kNew); }, 0, {}, {"N"}},
        {"delete row 1", [](BasicData& d, int s) { editor::deleteRow(d, s); }, 0, {"A", "B", "C"}, {"B", "C"}},
        {"delete the last row", [](BasicData& d, int s) { editor::deleteRow(d, s); }, 2, {"A", "B", "C"}, {"A", "B"}},
        {"delete on new changes nothing", [](BasicData& d, int s) { editor::deleteRow(d, s); }, 3, {"A", "B", "C"},
         {"A", "B", "C"}},
        {"delete past the list changes nothing", [](BasicData& d, int s) { editor::deleteRow(d, s); }, 7,
         {"A", "B", "C"}, {"A", "B", "C"}},
        {"rewrite with no line changes nothing", [](BasicData& d, int s) { editor::rewriteRow(d, s, kNew); }, -1,
         {"A"}, {"A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BasicData d = withBases(c.before);
        c.op(d, c.line);
        EXPECT_EQ(bases(d), c.after);
        // Rows past the count are empty: a later append shows no stale row.
        EXPECT_EQ(d.timeframes[static_cast<std::size_t>(d.timeframeCount) + 1].base, "");
    }
}

TEST(TimeframeTable, AFullTableTakesNoMoreRows) {
    std::vector<std::string> twenty;
    for (int i = 1; i <= 20; ++i) twenty.push_back("T" + std::to_string(i));
    BasicData d = withBases(twenty);
    EXPECT_FALSE(editor::insertRow(d, 0, kNew));
    editor::rewriteRow(d, 20, kNew);  // no "新規作成" line at 20 rows
    EXPECT_EQ(bases(d), twenty);
    editor::rewriteRow(d, 19, kNew);
    EXPECT_EQ(bases(d).back(), "N");
}

TEST(TimeframeTable, TheNewLineShowsEmptyEditsAfterADelete) {
    BasicData d = withBases({"A", "B"});
    editor::deleteRow(d, 1);
    d.timeframes[2] = {"stale", "x", "y", "z"};  // as a row left behind would be
    const TimeframeRow shown = editor::rowOfLine(d, 1);
    EXPECT_EQ(shown.base, "");
    EXPECT_EQ(d.timeframes[2].base, "");
    EXPECT_EQ(editor::rowOfLine(d, 0).base, "A");
}
