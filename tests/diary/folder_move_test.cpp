#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diary/trades/folder_move.hpp"

using namespace diary;

namespace {

using Names = std::vector<std::string>;

// A table of two trades in progress: the slots a move takes the images of.
TradeTable twoTrades() {
    TradeTable table;
    table.dimension(4);
    table.lastIndex = 1;
    TradeRecord& a = table.at(0);
    a.groups[11].chart = "g11.jpg";
    a.memoChart[5] = "m5.bmp";
    a.stopChart = "stop.bmp";
    a.options[2].chart = "o2.jpg";
    a.memoChart[1] = "shared.bmp";
    a.groups[1].chart = "g1.jpg";
    TradeRecord& b = table.at(1);
    b.memoChart[2] = "shared.bmp";
    b.options[5].chart = "Shared.bmp";
    // A slot past lastIndex is not a trade.
    table.at(2).stopChart = "not-a-trade.bmp";
    return table;
}

TEST(FolderMove, ChartNamesGoSlotBySlotMemoStopOptionsGroups) {
    const TradeTable table = twoTrades();
    EXPECT_EQ(recordChartNames(table.at(0)), (Names{"shared.bmp", "m5.bmp", "stop.bmp", "o2.jpg", "g1.jpg", "g11.jpg"}));
    EXPECT_EQ(recordChartNames(table.at(3)), Names{});
    EXPECT_EQ(chartNamesOf(table), (Names{"shared.bmp", "m5.bmp", "stop.bmp", "o2.jpg", "g1.jpg", "g11.jpg",
                                          "shared.bmp", "Shared.bmp"}));
}

TEST(FolderMove, EachImageIsTransferredOnceInTheOrderFirstMet) {
    // "Shared.bmp" is another file than "shared.bmp" on this system: both go.
    EXPECT_EQ(chartsToTransfer(twoTrades()),
              (Names{"shared.bmp", "m5.bmp", "stop.bmp", "o2.jpg", "g1.jpg", "g11.jpg", "Shared.bmp"}));
}

TEST(FolderMove, AMissingImageIsDroppedFromEverySlotThatNamesIt) {
    TradeTable table = twoTrades();
    EXPECT_EQ(dropChart(table, "shared.bmp"), 2);
    EXPECT_TRUE(table.at(0).memoChart[1].empty());
    EXPECT_TRUE(table.at(1).memoChart[2].empty());
    EXPECT_EQ(table.at(1).options[5].chart, "Shared.bmp");
    EXPECT_EQ(dropChart(table, "g11.jpg"), 1);
    EXPECT_TRUE(table.at(0).groups[11].chart.empty());
    EXPECT_EQ(dropChart(table, "not-a-trade.bmp"), 0);
    EXPECT_EQ(table.at(2).stopChart, "not-a-trade.bmp");
    EXPECT_EQ(dropChart(table, ""), 0);
    // Looking through the slots makes no group or option block a record did not have.
    EXPECT_FALSE(table.at(1).groups.holds(3));
    EXPECT_FALSE(table.at(1).options.holds(1));
}

TEST(FolderMove, ImageNamesAreTheSameButForTheCaseOfAsciiLetters) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"closed1.bmp", "Closed1.BMP", true},
        {"a.jpg", "a.jpg", true},
        {"a.jpg", "a.jpeg", false},
        {"a.jpg", "b.jpg", false},
        {"a_.jpg", "a\x7f.jpg", false},  // '_' and DEL are not letters
        {"\x82\x60.bmp", "\x82\x60.BMP", true},
        {"", "", true},
        {"a.jpg", "", false},
    };
    for (const Case& c : cases) EXPECT_EQ(sameImageName(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(FolderMove, MarkingSetsTheFlagOfEveryListedFileOfThatName) {
    const Names listed{"A.jpg", "a.JPG", "b.bmp", "c.bmp"};
    std::vector<int> flags(listed.size(), 0);
    PX$ＣＧ削除_SUB("a.jpg", listed, flags);
    EXPECT_EQ(flags, (std::vector<int>{1, 1, 0, 0}));
    PX$ＣＧ削除_SUB("", listed, flags);
    PX$ＣＧ削除_SUB("z.bmp", listed, flags);
    EXPECT_EQ(flags, (std::vector<int>{1, 1, 0, 0}));
    PX$ＣＧ削除_SUB("C.BMP", listed, flags);
    EXPECT_EQ(flags, (std::vector<int>{1, 1, 0, 1}));
}

TEST(FolderMove, OnlyImagesNothingNamesMayBeDeleted) {
    const Names listed{"Closed1.BMP", "stray.bmp", "trade.jpg", "torn.jpg", "unverified.bmp"};
    struct Case {
        const char* what;
        Names kept;
        std::string unread;
        Names deletable;
    };
    const Case cases[] = {
        {"nothing kept", {}, "", listed},
        {"kept in another case", {"closed1.bmp", "UNVERIFIED.BMP"}, "", {"stray.bmp", "trade.jpg", "torn.jpg"}},
        {"named in an unreadable end of the archive", {}, "0300_損切り価格,TORN.JPG\r\n", {"Closed1.BMP", "stray.bmp", "trade.jpg", "unverified.bmp"}},
        {"a kept name that is not listed", {"gone.bmp"}, "", listed},
    };
    for (const Case& c : cases) EXPECT_EQ(imagesToDelete(listed, c.kept, c.unread), c.deletable) << c.what;
}

}  // namespace
