// The block copies onto picture boxes, forms and bitmaps: where the pixels land, what is
// left untouched around them, clipping, map modes, windows as sources, and the runtime's
// line drawing into the same redraw buffers.

#include <functional>
#include <string>
#include <vector>

#include "bmp_files.hpp"
#include "runtime/drawing.hpp"
#include "runtime/error.hpp"
#include "toolkit_fixture.hpp"

namespace toolkit::test {
namespace {

std::pair<int, std::uint32_t> raised(const std::function<void()>& f) {
    try {
        f();
    } catch (const runtime::RuntimeError& e) {
        return {e.number(), e.location()};
    }
    return {0, 0};
}

constexpr platform::Colour white = 0xFFFFFF;

// A bitmap whose every pixel tells where it came from: red and green are x and y (mod
// 256), blue the high bits of both.
platform::Colour marker(int x, int y) {
    return static_cast<platform::Colour>((x & 0xFF) | (y & 0xFF) << 8 | ((x >> 8) | (y >> 8) << 4) << 16);
}

class Copies : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form = create("PICFORM");
        picture = attach(&form, "PICTURE1");
        button = attach(&form, "BUTTON1");
    }
    // A loaded bitmap of width x height marker pixels.
    ObjectVar markerBitmap(int width, int height) {
        ObjectVar v = 0;
        PV$BITMAPOBJECT(&v);
        PX$CREATEBITMAP(&v, static_cast<float>(width), static_cast<float>(height));
        model.drawInto(runtime::getRecord(&v)->window, [&](platform::PixelBuffer& b) {
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) b.setPixel(x, y, marker(x, y));
            return platform::Rect{};
        });
        return v;
    }
    const platform::PixelBuffer& buffer(const ObjectVar& v) {
        return *model.pixels(runtime::getRecord(&v)->window);
    }
    // Checks every pixel of `b`: inside `r` it is `inside(x, y)`, outside it `outside`.
    using PixelRule = std::function<platform::Colour(int, int)>;
    static void expectOnly(const platform::PixelBuffer& b, platform::Rect r, const PixelRule& inside,
                           platform::Colour outside) {
        expectOnly(b, r, inside, [outside](int, int) { return outside; });
    }
    static void expectOnly(const platform::PixelBuffer& b, platform::Rect r, const PixelRule& inside,
                           const PixelRule& outside) {
        int wrong = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) {
                const platform::Colour want = r.contains(x, y) ? inside(x, y) : outside(x, y);
                if (b.pixel(x, y) != want && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << ',' << y << " is " << std::hex << b.pixel(x, y) << " not " << want;
            }
        EXPECT_EQ(wrong, 0);
    }

    ObjectVar form = 0, picture = 0, button = 0;
};

TEST_F(Copies, StretchBitmap_1000x500Into400x200FillsExactlyThatRectangle) {
    ObjectVar chart = markerBitmap(1000, 500);
    const platform::PixelBuffer& pic = buffer(picture);
    ASSERT_GT(pic.width(), 430);
    ASSERT_GT(pic.height(), 230);
    PX$STRETCHBITMAP(&picture, &chart, 20, 25, 400, 200);
    // Nearest pixel: destination (x, y) takes source (x * 1000 / 400, y * 500 / 200).
    expectOnly(pic, {20, 25, 400, 200}, [](int x, int y) { return marker((x - 20) * 5 / 2, (y - 25) * 5 / 2); },
               white);
}

TEST_F(Copies, BitBltAndDrawBitmap_CopyOneToOne_ClippedToSourceAndDestination) {
    ObjectVar chart = markerBitmap(300, 100);
    const platform::PixelBuffer& pic = buffer(picture);
    const int W = pic.width(), H = pic.height();
    struct Case {
        const char* what;
        std::function<void()> copy;
        platform::Rect changed;
        int dx, dy;  // source pixel = destination pixel - (dx, dy)
    };
    const std::vector<Case> cases = {
        {"inside", [&] { PX$BITBLT(&picture, 5, 6, 50, 40, &chart, 10, 20); }, {5, 6, 50, 40}, -5, -14},
        {"off the top-left of the destination", [&] { PX$BITBLT(&picture, -10, -5, 30, 30, &chart, 0, 0); },
         {0, 0, 20, 25}, -10, -5},
        {"past the source's edge", [&] { PX$BITBLT(&picture, 0, 0, 100, 100, &chart, 250, 60); }, {0, 0, 50, 40},
         -250, -60},
        {"from before the source's start", [&] { PX$BITBLT(&picture, 0, 0, 20, 20, &chart, -5, -8); },
         {5, 8, 15, 12}, 5, 8},
        {"past the destination's edge", [&] { PX$DRAWBITMAP(&picture, &chart, W - 30, H - 10); },
         {W - 30, H - 10, 30, 10}, W - 30, H - 10},
        {"zero width", [&] { PX$BITBLT(&picture, 0, 0, 0, 10, &chart, 0, 0); }, {}, 0, 0},
        {"negative height", [&] { PX$BITBLT(&picture, 0, 0, 10, -10, &chart, 0, 0); }, {}, 0, 0},
        {"entirely outside", [&] { PX$DRAWBITMAP(&picture, &chart, -400, 0); }, {}, 0, 0},
        {"stretch of a negative size", [&] { PX$STRETCHBITMAP(&picture, &chart, 0, 0, -50, 50); }, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model.drawInto(windowOf(&picture), [](platform::PixelBuffer& b) {
            b.fillRect({0, 0, b.width(), b.height()}, white);
            return platform::Rect{};
        });
        c.copy();
        expectOnly(pic, c.changed, [&](int x, int y) { return marker(x - c.dx, y - c.dy); }, white);
    }
}

TEST_F(Copies, StretchBlt_SourceRectangleIntoDestinationRectangle_ShrinkAndGrow) {
    ObjectVar chart = markerBitmap(200, 100);
    const platform::PixelBuffer& pic = buffer(picture);
    // Grows 10 x 5 pixels at (100, 50) three times into 30 x 15.
    PX$STRETCHBLT(&picture, 1, 2, 30, 15, &chart, 100, 50, 10, 5);
    expectOnly(pic, {1, 2, 30, 15}, [](int x, int y) { return marker(100 + (x - 1) / 3, 50 + (y - 2) / 3); }, white);
    // Into a bitmap: the whole 200 x 100 halved into its top-left corner.
    ObjectVar small = markerBitmap(120, 60);
    PX$STRETCHBLT(&small, 0, 0, 100, 50, &chart, 0, 0, 200, 100);
    expectOnly(buffer(small), {0, 0, 100, 50}, [](int x, int y) { return marker(2 * x, 2 * y); }, marker);
}

TEST_F(Copies, MapModeTwips_ConvertsDestinationAndSourceCoordinates) {
    ObjectVar chart = markerBitmap(100, 100);
    PX$SETMAPMODE(&picture, 6);  // 1440 per inch at 96 pixels per inch: 15 twips a pixel
    PX$BITBLT(&picture, 150, 300, 600, 450, &chart, 30, 45);
    expectOnly(buffer(picture), {10, 20, 40, 30}, [](int x, int y) { return marker(x - 10 + 30, y - 20 + 45); },
               white);
    // The picture as a source: its point is in twips too.
    ObjectVar copy = markerBitmap(50, 50);
    PX$BITBLT(&copy, 0, 0, 5, 5, &picture, 150, 300);
    expectOnly(buffer(copy), {0, 0, 5, 5}, [](int x, int y) { return marker(x + 30, y + 45); }, marker);

    EXPECT_EQ(raised([&] { PX$BITBLT(&picture, 3e38f, 0, 10, 10, &chart, 0, 0); }),
              std::make_pair(6, location(op::BitBlt, 10)));
    EXPECT_EQ(raised([&] { PX$STRETCHBLT(&copy, 0, 0, 10, 10, &picture, 0, 0, 10, -3e38f); }),
              std::make_pair(6, location(op::StretchBlt, 17)));
}

TEST_F(Copies, ABitmapKeepsAMapModeOfItsOwn_UntilItIsLoadedAgain) {
    ObjectVar chart = markerBitmap(100, 100), target = markerBitmap(20, 20), empty = 0;
    PV$BITMAPOBJECT(&empty);
    EXPECT_EQ(PX$GETMAPMODE(&target), 1);
    PX$SETMAPMODE(&target, 6);
    EXPECT_EQ(PX$GETMAPMODE(&target), 6);
    PX$SETMAPMODE(&chart, 2);  // 0.1 mm: 254 a inch, 96 pixels
    // Destination point (15, 30) twips = (1, 2) pixels; source point (26.5, 53) 0.1 mm =
    // (10, 20) pixels; the size is the destination's, 75 x 75 twips = 5 x 5 pixels.
    PX$BITBLT(&target, 15, 30, 75, 75, &chart, 26.5f, 53);
    expectOnly(buffer(target), {1, 2, 5, 5}, [](int x, int y) { return marker(x - 1 + 10, y - 2 + 20); }, marker);
    EXPECT_EQ(raised([&] { PX$SETMAPMODE(&target, 0); }), std::make_pair(1006, location(op::SetMapMode, 6)));
    EXPECT_EQ(raised([&] { PX$GETMAPMODE(&empty); }), std::make_pair(1000, location(op::GetMapMode, 4)));
    PX$DELETEBITMAP(&target);
    PX$CREATEBITMAP(&target, 4, 4);
    EXPECT_EQ(PX$GETMAPMODE(&target), 1);
}

TEST_F(Copies, WindowSources_PictureOntoItsFormAndOntoItself) {
    ObjectVar chart = markerBitmap(64, 64);
    PX$DRAWBITMAP(&picture, &chart, 0, 0);
    // The form's redraw buffer has its client size and the form's background.
    const platform::PixelBuffer& back = buffer(form);
    const platform::Rect client = model.clientRect(windowOf(&form));
    EXPECT_EQ(back.width(), client.w);
    EXPECT_EQ(back.height(), client.h);
    const platform::Colour formBack = model.find(windowOf(&form))->back;
    EXPECT_EQ(back.pixel(client.w - 1, client.h - 1), formBack);

    PX$BITBLT(&form, 500, 300, 20, 20, &picture, 10, 10);
    expectOnly(back, {500, 300, 20, 20}, [](int x, int y) { return marker(x - 490, y - 290); }, formBack);
    // Overlapping copy within one picture reads what was there before it.
    PX$BITBLT(&picture, 5, 5, 40, 40, &picture, 0, 0);
    expectOnly(buffer(picture), {0, 0, 64, 64}, [](int x, int y) {
        return x >= 5 && y >= 5 && x < 45 && y < 45 ? marker(x - 5, y - 5) : marker(x, y);
    }, white);
}

TEST_F(Copies, DestinationAndSourceChecks) {
    ObjectVar chart = markerBitmap(4, 4), empty = 0, unloaded = 0;
    PV$BITMAPOBJECT(&unloaded);
    ObjectVar gone = 0;
    {
        ObjectVar other = create("CTRLFORM");
        gone = attach(&other, "PICTURE1");
        PX$DESTROYWINDOW(&other);
    }
    struct Case {
        const char* what;
        std::function<void()> call;
        int error;
        std::uint32_t location;
    };
    const std::vector<Case> cases = {
        {"null destination", [&] { PX$DRAWBITMAP(nullptr, &chart, 0, 0); }, 1003, location(op::DrawBitmap, 1)},
        {"empty destination variable", [&] { PX$DRAWBITMAP(&empty, &chart, 0, 0); }, 1000, location(op::DrawBitmap, 2)},
        {"a button as destination", [&] { PX$DRAWBITMAP(&button, &chart, 0, 0); }, 1002, location(op::DrawBitmap, 3)},
        {"an empty bitmap as destination", [&] { PX$BITBLT(&unloaded, 0, 0, 1, 1, &chart, 0, 0); }, 1000,
         location(op::BitBlt, 4)},
        {"a destroyed picture as destination", [&] { PX$STRETCHBITMAP(&gone, &chart, 0, 0, 1, 1); }, 1000,
         location(op::StretchBitmap, 4)},
        {"null source", [&] { PX$DRAWBITMAP(&picture, nullptr, 0, 0); }, 1003, location(op::DrawBitmap, 5)},
        {"empty source variable", [&] { PX$DRAWBITMAP(&picture, &empty, 0, 0); }, 1000, location(op::DrawBitmap, 6)},
        {"a button as source", [&] { PX$STRETCHBLT(&picture, 0, 0, 1, 1, &button, 0, 0, 1, 1); }, 1002,
         location(op::StretchBlt, 7)},
        {"an empty bitmap as source", [&] { PX$DRAWBITMAP(&picture, &unloaded, 0, 0); }, 1000,
         location(op::DrawBitmap, 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto [number, where] = raised(c.call);
        EXPECT_EQ(number, c.error);
        EXPECT_EQ(where, c.location);
    }
    // A window without a redraw buffer (a picture box of no size) is no source: 5.
    PX$SETWINDOWSIZE(&picture, 0, 0);
    EXPECT_EQ(raised([&] { PX$DRAWBITMAP(&chart, &picture, 0, 0); }), std::make_pair(5, location(op::DrawBitmap, 9)));
}

TEST_F(Copies, RedrawBuffer_ResizeKeepsTopLeftAndFillsTheRestWithTheBackground) {
    ObjectVar chart = markerBitmap(300, 200);
    PX$DRAWBITMAP(&form, &chart, 0, 0);
    const platform::Rect before = model.clientRect(windowOf(&form));
    const platform::Window& f = *model.find(windowOf(&form));
    model.userResize(windowOf(&form), f.rect.w + 100, f.rect.h + 50);
    const platform::Rect after = model.clientRect(windowOf(&form));
    ASSERT_EQ(after.w, before.w + 100);
    expectOnly(buffer(form), {0, 0, 300, 200}, marker, f.back);
    EXPECT_EQ(buffer(form).width(), after.w);
    EXPECT_EQ(buffer(form).height(), after.h);
}

// --- lines --------------------------------------------------------------------------------

TEST_F(Copies, DrawLine_BothEndsIncluded_InTheForeColour_Clipped) {
    constexpr platform::Colour ink = 0x0000FF;
    model.change(windowOf(&picture))->fore = ink;
    struct Case {
        const char* what;
        float x0, y0, x1, y1;
        std::vector<std::pair<int, int>> pixels;
    };
    const std::vector<Case> cases = {
        {"a point", 3, 4, 3, 4, {{3, 4}}},
        {"horizontal", 2, 1, 5, 1, {{2, 1}, {3, 1}, {4, 1}, {5, 1}}},
        {"vertical upwards", 0, 3, 0, 0, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}},
        {"diagonal", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        // The pixel nearest the line in each column (row of a steep line).
        {"shallow", 0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}},
        {"steep, right to left", 2, 0, 0, 6, {{2, 0}, {2, 1}, {1, 2}, {1, 3}, {1, 4}, {0, 5}, {0, 6}}},
        {"starting off the buffer", -2, 0, 1, 0, {{0, 0}, {1, 0}}},
        {"rounded ends", 0.6f, 0.4f, 2.4f, 0.4f, {{1, 0}, {2, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model.drawInto(windowOf(&picture), [](platform::PixelBuffer& b) {
            b.fillRect({0, 0, b.width(), b.height()}, white);
            return platform::Rect{};
        });
        runtime::drawLine(&picture, c.x0, c.y0, c.x1, c.y1);
        const platform::PixelBuffer& b = buffer(picture);
        int inked = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) inked += b.pixel(x, y) == ink;
        EXPECT_EQ(inked, static_cast<int>(c.pixels.size()));
        for (auto [x, y] : c.pixels) EXPECT_EQ(b.pixel(x, y), ink) << x << ',' << y;
    }
    // Ends far outside: only the part across the buffer is drawn, and drawn quickly.
    runtime::drawLine(&picture, -1e9f, 7, 1e9f, 7);
    const platform::PixelBuffer& b = buffer(picture);
    for (int x = 0; x < b.width(); ++x) ASSERT_EQ(b.pixel(x, 7), ink) << x;

    EXPECT_EQ(raised([&] { runtime::drawLine(&button, 0, 0, 1, 1); }).first, 1002);
    ObjectVar empty = 0;
    EXPECT_EQ(raised([&] { runtime::drawLine(&empty, 0, 0, 1, 1); }).first, 1000);
}

}  // namespace
}  // namespace toolkit::test
