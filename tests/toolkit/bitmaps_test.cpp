// Bitmap objects: making them, loading BMP files of every layout and the program's
// embedded bitmaps, their size, releasing them, and the errors of each step.

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bmp_files.hpp"
#include "runtime/error.hpp"
#include "toolkit_fixture.hpp"

namespace toolkit::test {
namespace {

namespace fs = std::filesystem;

std::pair<int, std::uint32_t> raised(const std::function<void()>& f) {
    try {
        f();
    } catch (const runtime::RuntimeError& e) {
        return {e.number(), e.location()};
    }
    return {0, 0};
}
int raisedNumber(const std::function<void()>& f) { return raised(f).first; }

// Colours as the pixel buffers hold them: 0x00BBGGRR.
constexpr platform::Colour white = 0xFFFFFF, black = 0, red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000,
                           yellow = 0x00FFFF;

class Bitmaps : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        dir = fs::temp_directory_path() / ("quill_bitmaps_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::remove_all(dir);
        ToolkitTest::TearDown();
    }

    // A new empty bitmap object.
    static ObjectVar bitmapObject() {
        ObjectVar v = 0;
        PV$BITMAPOBJECT(&v);
        return v;
    }
    std::string file(const std::string& name, const std::string& bytes) {
        const fs::path p = dir / name;
        writeFile(p, bytes);
        return p.string();
    }
    static void load(ObjectVar& v, const std::string& path) {
        Str p(path);
        PX$LOADBITMAPFILE(&v, p.get());
    }
    const platform::PixelBuffer* pixelsOf(const ObjectVar& v) {
        const auto record = runtime::getRecord(&v);
        return record ? model.pixels(record->window) : nullptr;
    }
    // Every pixel of a loaded bitmap, row by row.
    std::vector<platform::Colour> allPixels(const ObjectVar& v) {
        std::vector<platform::Colour> out;
        const platform::PixelBuffer& b = *pixelsOf(v);
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) out.push_back(b.pixel(x, y));
        return out;
    }

    fs::path dir;
};

TEST_F(Bitmaps, BitmapObject_IsEmptyUntilCreated_CreateGivesAllWhiteOfThatSize) {
    ObjectVar v = bitmapObject();
    ASSERT_NE(v, 0u);
    const auto record = runtime::getRecord(&v);
    EXPECT_EQ(record->kind, runtime::kind::Bitmap);
    EXPECT_EQ(record->state, 1);
    EXPECT_EQ(record->window, 0u);
    EXPECT_EQ(PV$CHECKOBJECT(&v), False);

    PX$CREATEBITMAP(&v, 400, 300);
    EXPECT_EQ(PX$GETBITMAPWIDTH(&v), 400.0f);
    EXPECT_EQ(PX$GETBITMAPHEIGHT(&v), 300.0f);
    EXPECT_EQ(PV$CHECKOBJECT(&v), True);
    const std::vector<platform::Colour> pixels = allPixels(v);
    EXPECT_EQ(pixels.size(), 400u * 300u);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), white), 400 * 300);
}

TEST_F(Bitmaps, ObjectAndSizeErrors) {
    ObjectVar empty = 0, loaded = bitmapObject(), unloaded = bitmapObject(), form = create("PICFORM");
    PX$CREATEBITMAP(&loaded, 2, 2);
    struct Case {
        const char* what;
        std::function<void()> call;
        int error;
        std::uint32_t location;
    };
    const std::vector<Case> cases = {
        {"object into a null address", [] { PV$BITMAPOBJECT(nullptr); }, 1003, location(op::BitmapObject, 1)},
        {"object into a variable in use", [&] { PV$BITMAPOBJECT(&unloaded); }, 1001, location(op::BitmapObject, 2)},
        {"create at a null address", [] { PX$CREATEBITMAP(nullptr, 1, 1); }, 1003, location(op::CreateBitmap, 1)},
        {"create in an empty variable", [&] { PX$CREATEBITMAP(&empty, 1, 1); }, 1000, location(op::CreateBitmap, 2)},
        {"create in a form", [&] { PX$CREATEBITMAP(&form, 1, 1); }, 1001, location(op::CreateBitmap, 3)},
        {"create in a loaded bitmap", [&] { PX$CREATEBITMAP(&loaded, 1, 1); }, 1001, location(op::CreateBitmap, 3)},
        {"create of width 0", [&] { PX$CREATEBITMAP(&unloaded, 0, 1); }, 5, location(op::CreateBitmap, 6)},
        {"create of a height that overflows", [&] { PX$CREATEBITMAP(&unloaded, 1, 3e9f); }, 6,
         location(op::CreateBitmap, 5)},
        {"create too large to hold", [&] { PX$CREATEBITMAP(&unloaded, 40000, 40000); }, 7,
         location(op::CreateBitmap, 7)},
        {"width of a null address", [] { PX$GETBITMAPWIDTH(nullptr); }, 1003, location(op::GetBitmapWidth, 1)},
        {"width of an empty variable", [&] { PX$GETBITMAPWIDTH(&empty); }, 1000, location(op::GetBitmapWidth, 2)},
        {"width of a form", [&] { PX$GETBITMAPWIDTH(&form); }, 1002, location(op::GetBitmapWidth, 3)},
        {"width of an empty bitmap", [&] { PX$GETBITMAPWIDTH(&unloaded); }, 1000, location(op::GetBitmapWidth, 4)},
        {"height of an empty bitmap", [&] { PX$GETBITMAPHEIGHT(&unloaded); }, 1000, location(op::GetBitmapHeight, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto [number, where] = raised(c.call);
        EXPECT_EQ(number, c.error);
        EXPECT_EQ(where, c.location);
    }
    // A failed create left the object empty.
    EXPECT_EQ(PV$CHECKOBJECT(&unloaded), False);
}

// --- BMP files ----------------------------------------------------------------------------

TEST_F(Bitmaps, LoadFile_EveryLayoutDecodesToItsPixels) {
    // A 5 x 3 picture (an odd width, so rows are padded), each layout storing the same
    // colours: red, green, blue, white, black, yellow repeating.
    const std::vector<platform::Colour> colours = {red, green, blue, white, black, yellow};
    const std::vector<std::uint32_t> rgb = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFF00};
    auto colourAt = [](int x, int y) { return (x + 5 * y) % 6; };
    std::vector<platform::Colour> expected;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) expected.push_back(colours[colourAt(x, y)]);
    // 16 bits as 5-5-5 (the default) and 5-6-5 (bit fields); 32 bits as X8R8G8B8.
    auto word555 = [&](int x, int y) {
        const std::uint32_t c = rgb[colourAt(x, y)];
        return ((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31);
    };
    auto word565 = [&](int x, int y) {
        const std::uint32_t c = rgb[colourAt(x, y)];
        return ((c >> 19) & 31) << 11 | ((c >> 10) & 63) << 5 | ((c >> 3) & 31);
    };
    auto index = [&](int x, int y) { return static_cast<std::uint32_t>(colourAt(x, y)); };
    std::vector<std::uint32_t> palette16 = rgb;
    palette16.resize(16, 0x123456);

    struct Case {
        const char* what;
        BmpSpec spec;
    };
    const std::vector<Case> cases = {
        {"24 bits bottom-up", {5, 3, 24, false, {}, {}, [&](int x, int y) { return rgb[colourAt(x, y)]; }}},
        {"24 bits top-down", {5, 3, 24, true, {}, {}, [&](int x, int y) { return rgb[colourAt(x, y)]; }}},
        {"32 bits", {5, 3, 32, false, {}, {}, [&](int x, int y) { return rgb[colourAt(x, y)]; }}},
        {"32 bits bit fields, top-down",
         {5, 3, 32, true, {}, {0xFF0000, 0x00FF00, 0x0000FF}, [&](int x, int y) { return rgb[colourAt(x, y)]; }}},
        {"16 bits 5-5-5", {5, 3, 16, false, {}, {}, word555}},
        {"16 bits 5-6-5 bit fields", {5, 3, 16, false, {}, {0xF800, 0x07E0, 0x001F}, word565}},
        {"8 bits, a colour table of 6", {5, 3, 8, false, rgb, {}, index}},
        {"8 bits top-down", {5, 3, 8, true, rgb, {}, index}},
        {"4 bits, a full colour table", {5, 3, 4, false, palette16, {}, index}},
        {"4 bits, a short colour table", {5, 3, 4, true, rgb, {}, index}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ObjectVar v = bitmapObject();
        load(v, file("layout.bmp", bmpBytes(c.spec)));
        EXPECT_EQ(PX$GETBITMAPWIDTH(&v), 5.0f);
        EXPECT_EQ(PX$GETBITMAPHEIGHT(&v), 3.0f);
        EXPECT_EQ(allPixels(v), expected);
    }
}

TEST_F(Bitmaps, LoadFile_OneBitAndIndexesPastTheColourTable) {
    // 1 bit: a 10-pixel checkerboard row pair with a two-colour table.
    ObjectVar mono = bitmapObject();
    load(mono, file("mono.bmp", bmpBytes({10, 2, 1, false, {0x000000, 0xFFFFFF}, {}, [](int x, int y) {
                                             return static_cast<std::uint32_t>((x + y) % 2);
                                         }})));
    const platform::PixelBuffer& m = *pixelsOf(mono);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(m.pixel(x, y), (x + y) % 2 ? white : black) << x << ',' << y;

    // An 8-bit picture whose table has 2 colours: index 2 and 255 lie past it and show black.
    ObjectVar shortTable = bitmapObject();
    const std::vector<std::uint32_t> indexes = {0, 1, 2, 255};
    load(shortTable, file("short.bmp", bmpBytes({4, 1, 8, false, {0xFF0000, 0x0000FF}, {}, [&](int x, int) {
                                                    return indexes[x];
                                                }})));
    EXPECT_EQ(allPixels(shortTable), (std::vector<platform::Colour>{red, blue, black, black}));

    // A header that counts no colours, so the table would be 256 entries, but the pixels
    // start after 2: the pixel bytes are not read as colours.
    ObjectVar uncounted = bitmapObject();
    BmpSpec spec{4, 1, 8, false, {0xFF0000, 0x0000FF}, {}, [&](int x, int) { return indexes[x]; }};
    spec.countColours = false;
    load(uncounted, file("uncounted.bmp", bmpBytes(spec)));
    EXPECT_EQ(allPixels(uncounted), (std::vector<platform::Colour>{red, blue, black, black}));
}

TEST_F(Bitmaps, LoadFile_FailuresLeaveTheObjectEmpty) {
    const std::string good = bmpBytes({2, 2, 24, false, {}, {}, [](int, int) { return 0x102030u; }});
    std::string cutShort = good.substr(0, good.size() - 3);
    std::string notBmp = good;
    notBmp[0] = 'X';
    std::string badDepth = good;
    badDepth[28] = 7;  // 7 bits per pixel
    std::string hugeSize = good;
    hugeSize[2] = hugeSize[3] = hugeSize[4] = '\xFF';  // says it is far longer than it is
    fs::create_directories(dir / "folder.bmp");
    struct Case {
        const char* what;
        std::string path;
        int error;
    };
    const std::vector<Case> cases = {
        {"missing file", (dir / "missing.bmp").string(), 63},
        {"not starting with BM", file("notbmp.bmp", notBmp), 75},
        {"shorter than its header says", file("short.bmp", cutShort), 75},
        {"a file size far past its end", file("huge.bmp", hugeSize), 75},
        {"shorter than a file header", file("tiny.bmp", "BM\x10"), 75},
        {"empty file", file("empty.bmp", ""), 75},
        {"a depth no layout has", file("depth.bmp", badDepth), 75},
        {"a folder", (dir / "folder.bmp").string(), 75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ObjectVar v = bitmapObject();
        EXPECT_EQ(raisedNumber([&] { load(v, c.path); }), c.error);
        EXPECT_EQ(PV$CHECKOBJECT(&v), False);
        EXPECT_EQ(raisedNumber([&] { PX$GETBITMAPWIDTH(&v); }), 1000);
        // Still empty: a good file loads into it afterwards.
        load(v, file("good.bmp", good));
        EXPECT_EQ(pixelsOf(v)->pixel(1, 1), 0x302010u);
    }
}

TEST_F(Bitmaps, LoadFile_APictureTooLargeToHoldIsOutOfMemory) {
    // 1 bit, 32767 x 8193: a 33 MB file (sparse here), over 1 GiB as 32-bit pixels.
    BmpSpec spec{1, 1, 1, false, {0x000000, 0xFFFFFF}, {}, [](int, int) { return 0u; }};
    std::string header = bmpBytes(spec).substr(0, 62);
    const std::uint32_t stride = 4096, height = 8193, size = 62 + stride * height;
    for (int i = 0; i < 4; ++i) {
        header[2 + i] = static_cast<char>(size >> (8 * i));
        header[18 + i] = static_cast<char>(32767u >> (8 * i));
        header[22 + i] = static_cast<char>(height >> (8 * i));
    }
    const std::string path = file("huge.bmp", header);
    fs::resize_file(path, size);
    ObjectVar v = bitmapObject();
    EXPECT_EQ(raised([&] { load(v, path); }), std::make_pair(7, location(op::LoadBitmapFile, 6)));
    EXPECT_EQ(PV$CHECKOBJECT(&v), False);
}

TEST_F(Bitmaps, LoadFile_TwiceIsRefused_AndPathsUpTo128BytesAreTaken) {
    const std::string good = bmpBytes({3, 1, 24, false, {}, {}, [](int, int) { return 0x00FF00u; }});
    ObjectVar v = bitmapObject();
    const std::string path = file("chart.bmp", good);
    load(v, path);
    EXPECT_EQ(raised([&] { load(v, path); }), std::make_pair(1001, location(op::LoadBitmapFile, 3)));
    EXPECT_EQ(PX$GETBITMAPWIDTH(&v), 3.0f);  // the first picture is kept

    // An existing file at a path of exactly 128 bytes loads; one byte more is error 5.
    std::string longPath = (dir / "").string();
    ASSERT_LT(longPath.size(), 120u);
    longPath += std::string(128 - longPath.size() - 4, 'a') + ".bmp";
    ASSERT_EQ(longPath.size(), 128u);
    writeFile(longPath, good);
    ObjectVar at128 = bitmapObject();
    load(at128, longPath);
    EXPECT_EQ(PX$GETBITMAPWIDTH(&at128), 3.0f);
    ObjectVar at129 = bitmapObject();
    EXPECT_EQ(raised([&] { load(at129, "/" + longPath); }), std::make_pair(5, location(op::LoadBitmapFile, 4)));
    EXPECT_EQ(PV$CHECKOBJECT(&at129), False);
}

TEST_F(Bitmaps, LoadFile_CP932PathIsFoundByItsNativeName) {
    const std::string good = bmpBytes({1, 1, 24, false, {}, {}, [](int, int) { return 0x0000FFu; }});
    writeFile(dir / "チャート.bmp", good);
    ObjectVar v = bitmapObject();
    load(v, (dir / "").string() + "\x83\x60\x83\x83\x81\x5B\x83\x67.bmp");  // "チャート" in CP932
    EXPECT_EQ(pixelsOf(v)->pixel(0, 0), blue);
}

// --- embedded bitmaps ---------------------------------------------------------------------

TEST_F(Bitmaps, LoadResource_EmbeddedBitmapByName_KeptApartFromForms) {
    ObjectVar chart = bitmapObject();
    Str name("chart");  // names are looked up without regard to case
    PX$LOADRESOURCE(&chart, name.get());
    EXPECT_EQ(allPixels(chart), (std::vector<platform::Colour>{red, green, blue, white, black, yellow, red, green}));
    EXPECT_EQ(PX$GETBITMAPWIDTH(&chart), 4.0f);

    // A bitmap under a form's name: the bitmap and the form are both found.
    ObjectVar picture = bitmapObject();
    Str formName("DEMOFORM");
    PX$LOADRESOURCE(&picture, formName.get());
    EXPECT_EQ(allPixels(picture), (std::vector<platform::Colour>{blue, red}));
    ObjectVar form = create("DEMOFORM");
    EXPECT_EQ(PV$CHECKOBJECT(&form), True);
    // A form's name alone is no bitmap.
    ObjectVar other = bitmapObject();
    Str formOnly("PICFORM");
    EXPECT_EQ(raised([&] { PX$LOADRESOURCE(&other, formOnly.get()); }),
              std::make_pair(1010, location(op::LoadResource, 5)));
}

TEST_F(Bitmaps, LoadResource_Errors) {
    ObjectVar empty = 0, loaded = bitmapObject(), v = bitmapObject(), form = create("PICFORM");
    PX$CREATEBITMAP(&loaded, 1, 1);
    Str chart("CHART"), missing("NOSUCH"), nine("CHARTNINE");
    struct Case {
        const char* what;
        std::function<void()> call;
        int error;
        std::uint32_t location;
    };
    const std::vector<Case> cases = {
        {"null address", [&] { PX$LOADRESOURCE(nullptr, chart.get()); }, 1003, location(op::LoadResource, 1)},
        {"empty variable", [&] { PX$LOADRESOURCE(&empty, chart.get()); }, 1000, location(op::LoadResource, 2)},
        {"a form", [&] { PX$LOADRESOURCE(&form, chart.get()); }, 1001, location(op::LoadResource, 3)},
        {"a loaded bitmap", [&] { PX$LOADRESOURCE(&loaded, chart.get()); }, 1001, location(op::LoadResource, 3)},
        {"a name of 9 bytes", [&] { PX$LOADRESOURCE(&v, nine.get()); }, 5, location(op::LoadResource, 4)},
        {"a missing name", [&] { PX$LOADRESOURCE(&v, missing.get()); }, 1010, location(op::LoadResource, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto [number, where] = raised(c.call);
        EXPECT_EQ(number, c.error);
        EXPECT_EQ(where, c.location);
    }
    EXPECT_EQ(PV$CHECKOBJECT(&v), False);
}

// --- releasing ----------------------------------------------------------------------------

TEST_F(Bitmaps, DeleteBitmap_EmptiesForAnotherLoad_DeleteObjectReleasesWithStateZero) {
    ObjectVar v = bitmapObject();
    PX$CREATEBITMAP(&v, 10, 10);
    const platform::Handle first = runtime::getRecord(&v)->window;
    PX$DELETEBITMAP(&v);
    EXPECT_FALSE(model.bitmapExists(first));
    EXPECT_EQ(PV$CHECKOBJECT(&v), False);
    EXPECT_EQ(raisedNumber([&] { PX$GETBITMAPWIDTH(&v); }), 1000);
    PX$DELETEBITMAP(&v);  // an empty one is left as it is
    EXPECT_EQ(runtime::getRecord(&v)->state, 1);
    PX$CREATEBITMAP(&v, 20, 5);
    EXPECT_EQ(PX$GETBITMAPWIDTH(&v), 20.0f);

    const platform::Handle second = runtime::getRecord(&v)->window;
    PX$DELETEOBJECT(&v);
    EXPECT_FALSE(model.bitmapExists(second));
    const auto record = runtime::getRecord(&v);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->kind, runtime::kind::Bitmap);
    EXPECT_EQ(record->state, 0);
    EXPECT_EQ(record->window, 0u);
    EXPECT_EQ(PV$CHECKOBJECT(&v), False);
    EXPECT_EQ(raisedNumber([&] { PX$GETBITMAPWIDTH(&v); }), 1000);

    ObjectVar empty = 0, form = create("PICFORM");
    EXPECT_EQ(raised([&] { PX$DELETEBITMAP(&form); }), std::make_pair(1002, location(op::DeleteBitmap, 3)));
    EXPECT_EQ(raised([&] { PX$DELETEOBJECT(&form); }), std::make_pair(1002, location(op::DeleteObject, 3)));
    EXPECT_EQ(raised([&] { PX$DELETEOBJECT(&empty); }), std::make_pair(1000, location(op::DeleteObject, 2)));
    EXPECT_EQ(raised([] { PX$DELETEBITMAP(nullptr); }), std::make_pair(1003, location(op::DeleteBitmap, 1)));
    EXPECT_EQ(PV$CHECKOBJECT(&form), True);
}

}  // namespace
}  // namespace toolkit::test
