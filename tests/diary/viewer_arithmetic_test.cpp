#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diary/viewer/folder_list.hpp"
#include "diary/viewer/layout.hpp"
#include "diary/viewer/scale.hpp"
#include "diary/viewer/scrolling.hpp"
#include "runtime/sjis.hpp"

using namespace diary;
using namespace runtime::literals;

namespace {

// The platform's classic metrics: a sizing frame of 4 and a caption of 18 + 4 + 1.
constexpr int kFrame = 4, kCaption = 23;
// An outer size whose picture area is width x height.
int formWidthFor(int areaWidth) { return areaWidth + 2 * kFrame; }
int formHeightFor(int areaHeight) { return areaHeight + kCaption + kFrame + kTopBarHeight; }

struct ScaleCase {
    const char* what;
    int index;
    float current, areaWidth, areaHeight, sourceWidth, sourceHeight;
    float scale, displayWidth, displayHeight;
};

TEST(ViewerScale, EachEntryGivesItsFactorAndWholePixelDisplaySize) {
    const ScaleCase cases[] = {
        {"fit height shrinks 1000 x 600 into 400 rows", 1, 1, 392, 400, 1000, 600, 400.0f / 600.0f, 666, 400},
        {"fit height never enlarges", 1, 1, 392, 248, 200, 100, 1, 200, 100},
        {"fit width", 2, 1, 500, 248, 2000, 500, 0.25f, 500, 125},
        {"fit width never enlarges", 2, 0.5f, 500, 248, 100, 1000, 1, 100, 1000},
        {"等倍 is the source size", 0, 0.3f, 392, 248, 1234, 987, 1, 1234, 987},
        {"×０.９", 3, 1, 392, 248, 1000, 600, 0.9f, 900, 540},
        {"×０.７ of 1000 is 700, not 699", 5, 1, 392, 248, 1000, 1000, 0.7f, 700, 700},
        {"×０.３", 9, 1, 392, 248, 1000, 30, 0.3f, 300, 9},
        {"×０.１ of a 5-pixel-wide image keeps 5", 11, 1, 392, 248, 5, 40, 0.1f, 5, 4},
        {"×０.１ of a 3 x 3 image keeps both sides", 11, 1, 392, 248, 3, 3, 0.1f, 3, 3},
        {"no selection keeps the scale", -1, 0.5f, 392, 248, 1000, 600, 0.5f, 500, 300},
        {"an index past the list keeps the scale", 12, 0.25f, 392, 248, 1000, 600, 0.25f, 250, 150},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.what);
        const float scale = scaleFor(c.index, c.current, c.areaWidth, c.areaHeight, c.sourceWidth, c.sourceHeight);
        EXPECT_FLOAT_EQ(scale, c.scale);
        const DisplaySize size = displaySize(c.sourceWidth, c.sourceHeight, scale);
        EXPECT_EQ(size.width, c.displayWidth);
        EXPECT_EQ(size.height, c.displayHeight);
    }
}

TEST(ViewerScale, EntriesAreTheTwelveOfTheScaleChoice) {
    EXPECT_STREQ(kScaleEntries[0], "等倍");
    EXPECT_STREQ(kScaleEntries[kFitHeightEntry], "縦合わせ");
    EXPECT_STREQ(kScaleEntries[11], "×０.１");
}

TEST(ViewerLayout, TooSmallViewerIsRaisedToTheMinimumSideBySide) {
    const struct {
        int width, height, expectedWidth, expectedHeight;
    } cases[] = {{300, 200, 400, 300}, {500, 250, 500, 300}, {399, 800, 400, 800}, {400, 300, 400, 300}};
    for (const auto& c : cases) {
        const FormSize s = minimumFormSize(c.width, c.height);
        EXPECT_EQ(s.width, c.expectedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(s.height, c.expectedHeight) << c.width << " x " << c.height;
    }
    const Area a = pictureArea(400, 300, kFrame, kCaption);
    EXPECT_EQ(a.width, 392);
    EXPECT_EQ(a.height, 248);
}

struct LayoutCase {
    const char* what;
    float displayWidth, displayHeight;
    bool horizontal, vertical;
    int viewportX, viewportY, viewportWidth, viewportHeight;
    int barX, barY;  // the horizontal bar's place, or the vertical one's when only it is shown
    int rangeX, rangeY;
};

TEST(ViewerLayout, BarsViewportAndPlacesFollowTheDisplaySizeInAn400x400Area) {
    const LayoutCase cases[] = {
        {"small image centred without bars", 200, 100, false, false, 100, 150, 200, 100, 0, 0, 0, 0},
        {"exactly as wide as the area: no bar", 400, 100, false, false, 0, 150, 400, 100, 0, 0, 0, 0},
        {"exactly the area: no bar", 400, 400, false, false, 0, 0, 400, 400, 0, 0, 0, 0},
        {"one pixel wider: horizontal bar", 401, 100, true, false, 0, 142, 400, 100, 0, 267, 1, 0},
        {"horizontal bar and height fits beside it", 1000, 384, true, false, 0, 0, 400, 384, 0, 409, 600, 0},
        {"one pixel taller: vertical bar", 300, 401, false, true, 42, 0, 300, 400, 342, 25, 0, 1},
        {"vertical bar and width fits beside it", 384, 800, false, true, 0, 0, 384, 400, 384, 25, 0, 400},
        {"vertical bar and wider than area - 16: both", 385, 800, true, true, 0, 0, 384, 384, 0, 409, 1, 416},
        {"horizontal bar and taller than area - 16: both", 800, 385, true, true, 0, 0, 384, 384, 0, 409, 416, 1},
        {"excess of 32767 still scrolls pixel by pixel", 33167, 100, true, false, 0, 142, 400, 100, 0, 267, 32767, 0},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ViewerLayout l = layOut(c.displayWidth, c.displayHeight, formWidthFor(400), formHeightFor(400), kFrame,
                                      kCaption, 0, 0);
        EXPECT_EQ(l.area.width, 400);
        EXPECT_EQ(l.area.height, 400);
        EXPECT_EQ(l.needHorizontal, c.horizontal);
        EXPECT_EQ(l.needVertical, c.vertical);
        EXPECT_EQ(l.viewportX, c.viewportX);
        EXPECT_EQ(l.viewportY, c.viewportY);
        EXPECT_EQ(l.viewportWidth, c.viewportWidth);
        EXPECT_EQ(l.viewportHeight, c.viewportHeight);
        if (c.horizontal) {
            EXPECT_EQ(l.horizontalX, c.barX);
            EXPECT_EQ(l.horizontalY, c.barY);
            EXPECT_EQ(l.horizontal.range, c.rangeX);
            EXPECT_EQ(l.horizontal.step, 1.0f);
        } else if (c.vertical) {
            EXPECT_EQ(l.verticalX, c.barX);
            EXPECT_EQ(l.verticalY, c.barY);
        }
        if (c.vertical) {
            EXPECT_EQ(l.vertical.range, c.rangeY);
        }
        EXPECT_EQ(l.cornerButton, c.horizontal && c.vertical);
        EXPECT_EQ(l.separatorEnd, 399);
    }
}

TEST(ViewerLayout, BothBarsPutTheCornerButtonWhereTheyMeet) {
    const ViewerLayout l = layOut(1000, 600, formWidthFor(392), formHeightFor(248), kFrame, kCaption, 0, 0);
    ASSERT_TRUE(l.cornerButton);
    EXPECT_EQ(l.viewportWidth, 376);
    EXPECT_EQ(l.viewportHeight, 232);
    EXPECT_EQ(l.verticalX, 376);
    EXPECT_EQ(l.verticalY, 25);
    EXPECT_EQ(l.horizontalX, 0);
    EXPECT_EQ(l.horizontalY, 232 + 25);
    EXPECT_EQ(l.horizontal.range, 624);
    EXPECT_EQ(l.vertical.range, 368);
}

TEST(ViewerLayout, PositionsOfHiddenBarsResetAndKeptOnesStayInTheirRange) {
    const struct {
        const char* what;
        float width, height;
        int x, y, expectedX, expectedY;
    } cases[] = {
        {"no bars", 100, 100, 30, 40, 0, 0},
        {"horizontal only keeps x", 1000, 100, 30, 40, 30, 0},
        {"vertical only keeps y", 100, 1000, 30, 40, 0, 40},
        {"both keep both", 1000, 1000, 30, 40, 30, 40},
        {"a position past the new range is limited to it", 1000, 1000, 5000, 700, 616, 616},
    };
    for (const auto& c : cases) {
        const ViewerLayout l = layOut(c.width, c.height, formWidthFor(400), formHeightFor(400), kFrame, kCaption, c.x, c.y);
        EXPECT_EQ(l.positionX, c.expectedX) << c.what;
        EXPECT_EQ(l.positionY, c.expectedY) << c.what;
    }
}

TEST(ViewerScroll, RangeIsTheExcessUpTo32767ThenTenThousandSteps) {
    const struct {
        float display;
        int viewport, range;
        float step;
    } cases[] = {
        {300, 400, 0, 1}, {400, 400, 0, 1}, {401, 400, 1, 1}, {33167, 400, 32767, 1},
        {33168, 400, 10000, 3.2768f}, {40400, 400, 10000, 4}, {5000, 376, 4624, 1},
    };
    for (const auto& c : cases) {
        const ScrollRange r = scrollRange(c.display, c.viewport);
        EXPECT_EQ(r.range, c.range) << c.display;
        EXPECT_FLOAT_EQ(r.step, c.step) << c.display;
        // The bar's last position shows the display copy's last pixels, never beyond them.
        EXPECT_LE(offsetFor(r.range, r.step) + static_cast<float>(c.viewport), std::max(c.display, float(c.viewport)) + 0.01f);
    }
    const struct {
        int range, page;
    } pages[] = {{0, 1}, {10, 1}, {11, 1}, {20, 2}, {10000, 1000}};
    for (const auto& p : pages) EXPECT_EQ(pageStep(p.range), p.page) << p.range;
}

TEST(ViewerScroll, DragStopsAtBothEdgesAndTheBarFollowsInWholeSteps) {
    const struct {
        const char* what;
        float offset;
        int delta;
        float display;
        int viewport;
        float step;
        float expectedOffset;
        int expectedPosition;
    } cases[] = {
        {"dragging right moves the view left", 100, 20, 1000, 400, 1, 80, 80},
        {"dragging left moves the view right", 100, -20, 1000, 400, 1, 120, 120},
        {"past the left edge stops at 0", 10, 30, 1000, 400, 1, 0, 0},
        {"past the right edge stops at display - viewport", 590, -30, 1000, 400, 1, 600, 600},
        {"far past the right edge", 0, -5000, 1000, 400, 1, 600, 600},
        {"large image: position in steps of excess / 10000", 400, 0, 40400, 400, 4, 400, 100},
        {"large image at its end", 39990, -100, 40400, 400, 4, 40000, 10000},
    };
    for (const auto& c : cases) {
        const DragAxis a = dragAxis(c.offset, c.delta, c.display, c.viewport, c.step);
        EXPECT_FLOAT_EQ(a.offset, c.expectedOffset) << c.what;
        EXPECT_EQ(a.position, c.expectedPosition) << c.what;
    }
}

TEST(ViewerScroll, CornerButtonAlternatesBetweenTheCorners) {
    const CornerJump toEnd = cornerJump(1, 624, 368);
    EXPECT_EQ(toEnd.state, 0);
    EXPECT_EQ(toEnd.positionX, 624);
    EXPECT_EQ(toEnd.positionY, 368);
    EXPECT_STREQ(toEnd.caption, "┏");
    const CornerJump back = cornerJump(toEnd.state, 624, 368);
    EXPECT_EQ(back.state, 1);
    EXPECT_EQ(back.positionX, 0);
    EXPECT_EQ(back.positionY, 0);
    EXPECT_STREQ(back.caption, "┛");
}

TEST(ViewerFolderList, BmpThenJpgMatchesWithoutRegardToCase) {
    const std::vector<std::string> listed = {"c.jpg", "B.Bmp", "notes.txt", "a.JPG", "x.jpeg", "d.bmp.txt", "e.BMP",
                                             "bmp", ".jpg", "チャート.Jpg"_sj};
    const std::vector<std::string> expected = {"B.Bmp", "e.BMP", "c.jpg", "a.JPG", ".jpg", "チャート.Jpg"_sj};
    EXPECT_EQ(imageNames(listed), expected);
}

TEST(ViewerFolderList, SortIsAscendingWithoutRegardToCase) {
    const struct {
        std::vector<std::string> names, sorted;
    } cases[] = {
        {{}, {}},
        {{"b.jpg"}, {"b.jpg"}},
        {{"c.JPG", "B.bmp", "a.Jpg"}, {"a.Jpg", "B.bmp", "c.JPG"}},
        {{"chart10.bmp", "Chart2.bmp", "CHART1.jpg"}, {"CHART1.jpg", "chart10.bmp", "Chart2.bmp"}},
        // Two-byte names sort after ASCII names by their bytes; their trail bytes are not
        // upper-cased ("ャ" is 0x83 0x83, "ー" 0x81 0x5B, "ａ" 0x82 0x81).
        {{"チャート.jpg"_sj, "z.bmp", "ａ.bmp"_sj}, {"z.bmp", "ａ.bmp"_sj, "チャート.jpg"_sj}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names = c.names;
        PV$ソート_SUB(names);
        EXPECT_EQ(names, c.sorted);
    }
}

TEST(ViewerFolderList, StepsWrapAndAMissingNameStartsAtTheFirst) {
    const struct {
        int index, delta, count, expected;
    } steps[] = {{0, -1, 3, 2}, {2, 1, 3, 0}, {1, 1, 3, 2}, {1, -1, 3, 0}, {0, 1, 1, 0}, {0, -1, 1, 0}};
    for (const auto& s : steps)
        EXPECT_EQ(stepIndex(s.index, s.delta, s.count), s.expected) << s.index << " " << s.delta << " of " << s.count;

    const std::vector<std::string> names = {"a.jpg", "B.bmp", "c.JPG"};
    EXPECT_EQ(indexOfName(names, "c.JPG"), 2);
    EXPECT_EQ(indexOfName(names, "B.bmp"), 1);
    EXPECT_EQ(indexOfName(names, "gone.jpg"), 0);
}

TEST(ViewerTitle, NamesTheShownImageOrIsEmpty) {
    EXPECT_EQ(viewerTitle("a.jpg"), "表示中の画像「a.jpg」"_sj);
    EXPECT_EQ(viewerTitle(""), "");
}

}  // namespace
