#include "runtime/safe_file.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/system_calls.hpp"
#include "system_call_faults.hpp"
#include "temp_folder.hpp"

namespace {

namespace err = runtime::err;
namespace fs = std::filesystem;
using runtime::SafeFileWriter;
using runtime::SystemCallsOverride;
using testing_support::Call;
using testing_support::callName;
using testing_support::errorNumberOf;
using testing_support::failingCall;
using testing_support::namesIn;
using testing_support::openDescriptors;
using testing_support::readBytes;
using testing_support::recordingCalls;
using testing_support::TempFolder;
using testing_support::writeBytes;

mode_t permissionsOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

class SafeFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    const std::string path = folder / "data.txt";
    const std::string old = std::string("old\r\n\x8A\xEE\x96\x7B,1\r\n") + '\0' + "tail";
};

TEST_F(SafeFileTest, EveryFailureKeepsTheOldFileAndLeaksNothing) {
    const struct {
        const char* what;
        Call call;
        int nth;
        int error;
        int raised;
        bool replaced;  // the failure comes after the rename: the new file is in place
    } cases[] = {
        {"disk full on the second write", Call::Write, 2, ENOSPC, err::DiskFull, false},
        {"quota full on the first write", Call::Write, 1, EDQUOT, err::DiskFull, false},
        {"the file's sync fails", Call::Fsync, 1, EIO, err::FileAccessFailed, false},
        {"the file's close fails", Call::Close, 1, EIO, err::FileAccessFailed, false},
        {"the rename is refused", Call::Rename, 1, EIO, err::FileAccessFailed, false},
        {"the rename finds the disk full", Call::Rename, 1, ENOSPC, err::DiskFull, false},
        {"the folder's sync fails", Call::Fsync, 2, EIO, err::FileAccessFailed, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path, old);
        const std::size_t descriptors = openDescriptors();
        int again = 0;
        const int raised = errorNumberOf([&] {
            const SystemCallsOverride faults(failingCall(c.call, c.nth, c.error));
            SafeFileWriter w(path);
            try {
                w.write("new contents,");
                w.write(" in two writes\r\n");
                w.commit();
            } catch (const runtime::RuntimeError&) {
                // A writer that failed keeps failing the same way and never replaces.
                again = errorNumberOf([&] { w.commit(); });
                throw;
            }
        });
        EXPECT_EQ(raised, c.raised) << callName(c.call);
        EXPECT_EQ(again, c.raised);
        EXPECT_EQ(readBytes(path), c.replaced ? "new contents, in two writes\r\n" : old);
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"data.txt"}) << "temporary file left";
        EXPECT_EQ(openDescriptors(), descriptors) << "descriptor leaked";
    }
}

// A chart copied into the chart folder over an older one, the program killed at any
// moment of the copy: the target holds the old bytes or all of the new ones, never part.
TEST_F(SafeFileTest, ACopyKilledAtAnyMomentLeavesTheOldTargetOrTheWholeNewOne) {
    std::string source(8 << 20, '\0');
    for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<char>(i * 131 + i / 4096);
    const std::string from = folder / "chart.bmp";
    writeBytes(from, source);
    // How long one whole copy takes here, so that the kills spread over all of it.
    const auto start = std::chrono::steady_clock::now();
    runtime::copyFile(from, folder / "timed.bmp", false);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    constexpr int kAttempts = 24;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        writeBytes(path, old);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            runtime::copyFile(from, path, false);
            ::_exit(0);
        }
        // From before the copy starts to after it is done.
        ::usleep(static_cast<useconds_t>(whole.count() * 3 / 2 * attempt / kAttempts));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = readBytes(path);
        if (now == old) continue;
        ASSERT_EQ(now.size(), source.size()) << "attempt " << attempt << ": part of the copy is in the target";
        ASSERT_TRUE(now == source) << "attempt " << attempt << ": the target holds other bytes";
    }
}

TEST_F(SafeFileTest, CommitSyncsTheFileBeforeTheRenameAndTheFolderAfterIt) {
    writeBytes(path, old);
    std::vector<std::string> calls;
    {
        const SystemCallsOverride recorder(recordingCalls(calls));
        runtime::writeFileSafely(path, "new");
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"write", "fsync file", "close file", "rename", "open folder",
                                               "fsync folder", "close folder"}));
    EXPECT_EQ(readBytes(path), "new");
}

TEST_F(SafeFileTest, PermissionsOfTheReplacedFileAreKept) {
    writeBytes(path, old);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    runtime::writeFileSafely(path, "new");
    EXPECT_EQ(permissionsOf(path), 0640u);
}

// A data file linked into another folder: the rewrite reaches the file the link names.
class SafeFileLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(work);
        fs::create_directory(synced);
        writeBytes(real, "old basic data\r\n");
        ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    }

    TempFolder folder;
    const std::string work = folder / "work";
    const std::string synced = folder / "synced";
    const std::string real = synced + "/\xE5\x9F\xBA\xE6\x9C\xAC.TXT";  // 基本.TXT
};

TEST_F(SafeFileLinkTest, WritesThroughLinksAndKeepsThem) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links;  // link path, link text
        std::string target;  // the file the first link leads to
        bool targetExisted;
    } cases[] = {
        {"a relative link into another folder",
         {{work + "/data.TXT", "../synced/\xE5\x9F\xBA\xE6\x9C\xAC.TXT"}}, real, true},
        {"a relative link in the file's own folder", {{synced + "/link.TXT", "\xE5\x9F\xBA\xE6\x9C\xAC.TXT"}}, real,
         true},
        {"a chain: absolute, then relative",
         {{work + "/first.TXT", work + "/second.TXT"}, {work + "/second.TXT", "../synced/\xE5\x9F\xBA\xE6\x9C\xAC.TXT"}},
         real, true},
        {"a link whose file does not exist yet", {{work + "/new.TXT", "../synced/new.TXT"}}, synced + "/new.TXT",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(real, "old basic data\r\n");
        for (const auto& [link, text] : c.links) fs::create_symlink(text, link);

        runtime::writeFileSafely(c.links.front().first, "new basic data\r\n");

        EXPECT_EQ(readBytes(c.target), "new basic data\r\n");
        for (const auto& [link, text] : c.links) {
            EXPECT_TRUE(fs::is_symlink(link)) << link << " is no longer a link";
            EXPECT_EQ(fs::read_symlink(link).string(), text);
        }
        if (c.targetExisted) {
            EXPECT_EQ(permissionsOf(c.target), 0640u);
        }
        // No temporary file beside the link or beside the file.
        for (const std::string& f : {work, synced})
            for (const std::string& name : namesIn(f)) EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;

        for (const auto& [link, text] : c.links) fs::remove(link);
        fs::remove(synced + "/new.TXT");
    }
}

TEST_F(SafeFileLinkTest, FailedRewriteThroughALinkKeepsTheFileAndTheLink) {
    const std::string link = work + "/data.TXT";
    fs::create_symlink(real, link);
    const std::size_t descriptors = openDescriptors();
    {
        const SystemCallsOverride faults(failingCall(Call::Fsync, 1, EIO));
        EXPECT_EQ(errorNumberOf([&] { runtime::writeFileSafely(link, "new"); }), err::FileAccessFailed);
    }
    EXPECT_EQ(readBytes(real), "old basic data\r\n");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(namesIn(synced).size(), 1u) << "temporary file left";
    EXPECT_EQ(openDescriptors(), descriptors);
}

TEST_F(SafeFileLinkTest, LinkLoopIsAnErrorAndCreatesNothing) {
    fs::create_symlink("b.TXT", work + "/a.TXT");
    fs::create_symlink("a.TXT", work + "/b.TXT");
    EXPECT_EQ(errorNumberOf([&] { runtime::writeFileSafely(work + "/a.TXT", "x"); }), err::SystemFailure);
    EXPECT_EQ(namesIn(work), (std::vector<std::string>{"a.TXT", "b.TXT"}));
}

}  // namespace
