#include "runtime/file_system.hpp"

#include <gtest/gtest.h>

#include <string>

#include "runtime/error.hpp"
#include "temp_folder.hpp"

namespace {

namespace err = runtime::err;
namespace rt = runtime;
using testing_support::errorNumberOf;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

const std::string kKihon = "\x8A\xEE\x96\x7B";  // 基本 in CP932

class FileSystemTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST(NativePath, ConvertsCp932AndReplacesBadBytes) {
    const struct {
        std::string sjis, utf8;
    } cases[] = {
        {"data/chart.JPG", "data/chart.JPG"},
        {kKihon + "/x.TXT", "\xE5\x9F\xBA\xE6\x9C\xAC/x.TXT"},
        {"\x83\x5C", "\xE3\x82\xBD"},             // ソ: its trail byte is a backslash
        {"a\x80" "b", "a\xEF\xBF\xBD" "b"},       // not CP932 at all
        {"\x85\x5C/", "\xEF\xBF\xBD/"},           // unassigned pair: one replacement, no "\"
        {"x\x81", "x\xEF\xBF\xBD"},               // lead byte cut off at the end
    };
    for (const auto& c : cases) EXPECT_EQ(rt::nativePath(c.sjis), c.utf8) << c.sjis;
}

TEST(SplitPath, SplitsAtTheLastSlashAndTheLastDot) {
    const struct {
        std::string path, directory, name, extension;
    } cases[] = {
        {"data/2024/chart.JPG", "data/2024/", "chart", ".JPG"},
        {"/abs/file", "/abs/", "file", ""},
        {"archive.tar.gz", "", "archive.tar", ".gz"},
        {"dir.d/file", "dir.d/", "file", ""},
        {"folder/", "folder/", "", ""},
        {".profile", "", "", ".profile"},
        {"name.", "", "name", "."},
        {"", "", "", ""},
        {kKihon + ".TXT", "", kKihon, ".TXT"},
    };
    for (const auto& c : cases) {
        const rt::PathParts p = rt::splitPath(c.path);
        EXPECT_EQ(p.drive, "") << c.path;
        EXPECT_EQ(p.directory, c.directory) << c.path;
        EXPECT_EQ(p.name, c.name) << c.path;
        EXPECT_EQ(p.extension, c.extension) << c.path;
    }
}

TEST_F(FileSystemTest, ExistenceOfFilesAndFolders) {
    writeBytes(folder / "f.txt", "x");
    EXPECT_TRUE(rt::fileExists(folder / "f.txt"));
    EXPECT_FALSE(rt::directoryExists(folder / "f.txt"));
    EXPECT_FALSE(rt::fileExists(folder.path()));
    EXPECT_TRUE(rt::directoryExists(folder.path()));
    EXPECT_TRUE(rt::directoryExists(folder.path() + "/"));
    EXPECT_FALSE(rt::fileExists(folder / "missing"));
    EXPECT_FALSE(rt::directoryExists(folder / "missing"));
    for (const char* wild : {"*.txt", "f.tx?", "*"}) {
        EXPECT_EQ(errorNumberOf([&] { rt::fileExists(folder / wild); }), err::BadFileName) << wild;
        EXPECT_EQ(errorNumberOf([&] { rt::directoryExists(folder / wild); }), err::BadFileName);
    }
}

TEST_F(FileSystemTest, CopyFile) {
    writeBytes(folder / "src", std::string("a\0b", 3));
    rt::copyFile(folder / "src", folder / "dst", true);
    EXPECT_EQ(readBytes(folder / "dst"), std::string("a\0b", 3));

    writeBytes(folder / "src", "newer");
    EXPECT_EQ(errorNumberOf([&] { rt::copyFile(folder / "src", folder / "dst", true); }),
              err::FileAlreadyExists);
    EXPECT_EQ(readBytes(folder / "dst"), std::string("a\0b", 3));
    rt::copyFile(folder / "src", folder / "dst", false);
    EXPECT_EQ(readBytes(folder / "dst"), "newer");

    EXPECT_EQ(errorNumberOf([&] { rt::copyFile(folder / "none", folder / "x", false); }),
              err::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { rt::copyFile(folder / "src", folder / "no/x", false); }),
              err::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { rt::copyFile(folder.path(), folder / "x", false); }),
              err::FileAccessFailed);
    EXPECT_FALSE(rt::fileExists(folder / "x"));
}

TEST_F(FileSystemTest, MakeDirectory) {
    rt::makeDirectory(folder / "sub");
    EXPECT_TRUE(rt::directoryExists(folder / "sub"));
    EXPECT_EQ(errorNumberOf([&] { rt::makeDirectory(folder / "sub"); }), err::FileAlreadyExists);
    EXPECT_EQ(errorNumberOf([&] { rt::makeDirectory(folder / "no/sub"); }), err::PathNotFound);

    // 260 bytes is still a path (here its parent is missing); 261 is too long.
    std::string path = folder / "missing/";
    path += std::string(260 - path.size(), 'x');
    ASSERT_EQ(path.size(), 260u);
    EXPECT_EQ(errorNumberOf([&] { rt::makeDirectory(path); }), err::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { rt::makeDirectory(path + "x"); }), err::IllegalArgument);
}

TEST_F(FileSystemTest, DeleteAndRename) {
    writeBytes(folder / "a", "A");
    writeBytes(folder / "b", "B");
    EXPECT_EQ(errorNumberOf([&] { rt::renameFile(folder / "a", folder / "b"); }),
              err::FileAlreadyExists);
    EXPECT_EQ(readBytes(folder / "a"), "A");
    EXPECT_EQ(readBytes(folder / "b"), "B");

    rt::deleteFile(folder / "b");
    EXPECT_FALSE(rt::fileExists(folder / "b"));
    rt::renameFile(folder / "a", folder / "b");
    EXPECT_FALSE(rt::fileExists(folder / "a"));
    EXPECT_EQ(readBytes(folder / "b"), "A");

    EXPECT_EQ(errorNumberOf([&] { rt::deleteFile(folder / "a"); }), err::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { rt::renameFile(folder / "a", folder / "c"); }), err::FileNotFound);
}

}  // namespace
