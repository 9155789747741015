#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/error.hpp"
#include "runtime/file_channel.hpp"
#include "runtime/file_system.hpp"
#include "temp_folder.hpp"

namespace {

namespace err = runtime::err;
namespace rt = runtime;
using testing_support::errorNumberOf;
using testing_support::TempFolder;
using testing_support::writeBytes;

struct Shown {
    std::string name, size, attributes;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Shown& s) {
    return os << s.name << " " << s.size << " " << s.attributes;
}

class DirListingTest : public ::testing::Test {
protected:
    ~DirListingTest() override {
        // The channels are process-wide: leave none open for the next test.
        for (int ch = 1; ch <= 16; ++ch) errorNumberOf([&] { rt::dirClose(ch); });
    }

    // Everything a listing on channel 1 shows, step by step.
    static std::vector<Shown> list(const std::string& pattern) {
        std::vector<Shown> shown;
        rt::dirOpen(1, pattern);
        for (rt::dirNext(1); !rt::dirAtEnd(1); rt::dirNext(1))
            shown.push_back({rt::dirName(1), rt::dirSize(1), rt::dirAttributes(1)});
        rt::dirClose(1);
        return shown;
    }

    TempFolder folder;
};

TEST_F(DirListingTest, ListsMatchingEntriesInNameOrder) {
    writeBytes(folder / "B.txt", "123");
    writeBytes(folder / "a.TXT", "");
    writeBytes(folder / "c.jpg", "jpeg");
    writeBytes(folder / "ro.txt", "r");
    ::chmod((folder / "ro.txt").c_str(), 0444);
    ::mkdir((folder / "sub.txt").c_str(), 0755);
    ::mkdir((folder / "sub.txt/inner.txt").c_str(), 0755);

    const std::vector<Shown> expected = {
        {"a.TXT", "0", "--A"},  // "B" sorts after "a" whatever its case
        {"B.txt", "3", "--A"},
        {"ro.txt", "1", "-RA"},
        {"sub.txt", "0", "D--"},
    };
    EXPECT_EQ(list(folder / "*.TXT"), expected);
    EXPECT_EQ(list(folder / "?.*"), (std::vector<Shown>{{"a.TXT", "0", "--A"},
                                                         {"B.txt", "3", "--A"},
                                                         {"c.jpg", "4", "--A"}}));
    EXPECT_EQ(list(folder / "*.bmp"), std::vector<Shown>{});
}

TEST_F(DirListingTest, ShowsTheModificationTimeInLocalTime) {
    writeBytes(folder / "f", "");
    std::tm tm{};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_hour = 7;
    tm.tm_min = 8;
    tm.tm_sec = 9;
    tm.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder / "f").c_str(), times, 0), 0);

    rt::dirOpen(3, folder / "f");
    rt::dirNext(3);
    EXPECT_EQ(rt::dirDate(3), "2024/03/05");
    EXPECT_EQ(rt::dirTime(3), "07:08:09");
}

TEST_F(DirListingTest, JapaneseNameRoundTrips) {
    const std::string name = "\x8A\xEE\x96\x7B\x83\x5C.TXT";  // 基本ソ.TXT
    {
        rt::FileChannel out(folder / name, rt::FileMode::Output);
        out.printLine("x");
        out.close();
    }
    EXPECT_TRUE(rt::fileExists(folder / name));
    EXPECT_EQ(list(folder / "*.txt"), (std::vector<Shown>{{name, "3", "--A"}}));
    EXPECT_EQ(list(folder / "\x8A\xEE*"), (std::vector<Shown>{{name, "3", "--A"}}));
}

// A name CP932 cannot hold would come out with "?" in its place: a name of no entry, and a
// wildcard to the existence tests (error 55). Such entries are left out; the others list
// as ever, and every name listed can be tested and opened.
TEST_F(DirListingTest, NamesCp932CannotHoldAreLeftOut) {
    ASSERT_EQ(::mkdir((folder / "j\xC3\xBCrgen").c_str(), 0755), 0);  // jürgen
    writeBytes(folder / "\xF0\x9F\x98\x80.bmp", "");       // an emoji
    writeBytes(folder / "bad\xFF.bmp", "");                 // not UTF-8 at all
    writeBytes(folder / "chart.bmp", "bm");
    writeBytes(folder / "\xE3\x83\x81\xE3\x83\xA3\xE3\x83\xBC\xE3\x83\x88.BMP", "");  // チャート.BMP
    ASSERT_EQ(::mkdir((folder / "2024").c_str(), 0755), 0);
    const std::string chart = "\x83\x60\x83\x83\x81\x5B\x83\x67.BMP";

    const std::vector<Shown> everything = {{"2024", "0", "D--"}, {"chart.bmp", "2", "--A"}, {chart, "0", "--A"}};
    EXPECT_EQ(list(folder / "*"), everything);
    EXPECT_EQ(list(folder / "*.*"), everything);
    EXPECT_EQ(list(folder / "?.bmp"), std::vector<Shown>{});
    EXPECT_EQ(list(folder / "*.bmp"), (std::vector<Shown>{{"chart.bmp", "2", "--A"}, {chart, "0", "--A"}}));

    std::vector<std::string> names;
    for (const rt::FolderEntry& e : rt::listFolder(folder / "*")) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"2024", "chart.bmp", chart}));
    for (const std::string& name : names) {
        bool exists = false;
        EXPECT_EQ(errorNumberOf([&] { exists = rt::fileExists(folder / name) || rt::directoryExists(folder / name); }),
                  0) << name;
        EXPECT_TRUE(exists) << name;
    }
}

TEST_F(DirListingTest, WithoutFolderPartListsTheCurrentFolder) {
    writeBytes(folder / "here.txt", "");
    const std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(folder.path().c_str()), 0);
    const auto shown = list("*.txt");
    ASSERT_EQ(::chdir(before.c_str()), 0);
    EXPECT_EQ(shown, (std::vector<Shown>{{"here.txt", "0", "--A"}}));
}

TEST_F(DirListingTest, MissingFolderListsNothing) {
    rt::dirOpen(2, folder / "no/such/*.txt");
    EXPECT_FALSE(rt::dirAtEnd(2));
    rt::dirNext(2);
    EXPECT_TRUE(rt::dirAtEnd(2));
}

TEST_F(DirListingTest, SteppingAndChannelErrors) {
    writeBytes(folder / "only", "");
    const std::string pattern = folder / "*";

    EXPECT_EQ(errorNumberOf([&] { rt::dirOpen(0, pattern); }), err::BadChannelNumber);
    EXPECT_EQ(errorNumberOf([&] { rt::dirOpen(17, pattern); }), err::BadChannelNumber);
    EXPECT_EQ(errorNumberOf([&] { rt::dirNext(-1); }), err::BadChannelNumber);
    EXPECT_EQ(errorNumberOf([&] { rt::dirOpen(16, std::string(261, 'x')); }), err::IllegalArgument);
    EXPECT_EQ(errorNumberOf([&] { rt::dirOpen(16, std::string(260, 'x')); }), 0);
    rt::dirClose(16);

    for (auto use : std::vector<void (*)(int)>{
             [](int ch) { rt::dirNext(ch); }, [](int ch) { rt::dirAtEnd(ch); },
             [](int ch) { rt::dirClose(ch); }, [](int ch) { rt::dirName(ch); },
             [](int ch) { rt::dirSize(ch); }, [](int ch) { rt::dirDate(ch); },
             [](int ch) { rt::dirTime(ch); }, [](int ch) { rt::dirAttributes(ch); }})
        EXPECT_EQ(errorNumberOf([&] { use(5); }), err::ChannelNotOpen);

    rt::dirOpen(5, pattern);
    EXPECT_EQ(errorNumberOf([&] { rt::dirOpen(5, pattern); }), err::ChannelAlreadyOpen);
    EXPECT_EQ(errorNumberOf([&] { rt::dirName(5); }), err::PastEnd) << "before the first step";
    rt::dirNext(5);
    EXPECT_FALSE(rt::dirAtEnd(5));
    EXPECT_EQ(rt::dirName(5), "only");
    rt::dirNext(5);
    EXPECT_TRUE(rt::dirAtEnd(5));
    for (auto read : {rt::dirName, rt::dirSize, rt::dirDate, rt::dirTime, rt::dirAttributes})
        EXPECT_EQ(errorNumberOf([&] { read(5); }), err::PastEnd) << "at the end";
    EXPECT_EQ(errorNumberOf([&] { rt::dirNext(5); }), err::PastEnd);
    rt::dirClose(5);
    EXPECT_EQ(errorNumberOf([&] { rt::dirNext(5); }), err::ChannelNotOpen);
}

TEST_F(DirListingTest, ChannelsAreIndependent) {
    writeBytes(folder / "a.txt", "");
    writeBytes(folder / "b.jpg", "");
    rt::dirOpen(1, folder / "*.txt");
    rt::dirOpen(16, folder / "*.jpg");
    rt::dirNext(1);
    rt::dirNext(16);
    EXPECT_EQ(rt::dirName(1), "a.txt");
    EXPECT_EQ(rt::dirName(16), "b.jpg");
}

}  // namespace
