#include <gtest/gtest.h>

#include <string>

#include "runtime/objects.hpp"

using namespace runtime;

TEST(ObjectTable, RecordsLiveBehindTheirHandlesUntilReleased) {
    ObjectVar form = 0;
    EXPECT_FALSE(getRecord(nullptr));
    EXPECT_FALSE(getRecord(&form));  // empty

    ObjectRecord r;
    r.kind = kind::Form;
    r.state = 1;
    r.window = 0x10001;
    r.owner = &form;
    form = createObject(r);
    ASSERT_NE(form, 0u);
    auto got = getRecord(&form);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->window, 0x10001u);
    EXPECT_EQ(got->owner, &form);
    EXPECT_EQ(findObjectByWindow(0x10001), form);

    got->state = 0;
    got->window = 0;
    EXPECT_TRUE(storeRecord(&form, *got));
    EXPECT_EQ(getRecord(&form)->state, 0);
    EXPECT_FALSE(findObjectByWindow(0x10001));

    const ObjectVar old = form;
    EXPECT_TRUE(releaseObject(form));
    EXPECT_FALSE(releaseObject(form));
    EXPECT_FALSE(getRecord(&form));  // a stale handle is unknown
    EXPECT_FALSE(storeRecord(&form, r));
    EXPECT_NE(createObject(r), old);  // handles are never reused
}

TEST(ObjectTable, NameBufferHoldsTwentyOneBytes) {
    ObjectRecord r;
    setRecordName(r, "MAINFORM");
    EXPECT_EQ(std::string(r.name.data()), "MAINFORM");
    setRecordName(r, std::string(30, 'X'));
    EXPECT_EQ(std::string(r.name.data()), std::string(21, 'X'));
}

TEST(ObjectTable, WindowKinds) {
    for (const std::uint32_t k : {kind::Form, kind::PushButton, kind::PictureBox, kind::TextWindow, kind::BitmapButton})
        EXPECT_TRUE(isWindowKind(k)) << std::hex << k;
    for (const std::uint32_t k : {kind::RuntimeObject, kind::Bitmap, kind::Printer, kind::Timer, kind::Menu, 0x110Bu})
        EXPECT_FALSE(isWindowKind(k)) << std::hex << k;
}
