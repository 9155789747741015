#include "runtime/file_channel.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/error.hpp"
#include "runtime/system_calls.hpp"
#include "system_call_faults.hpp"
#include "temp_folder.hpp"

namespace {

using runtime::FileChannel;
using runtime::FileMode;
using runtime::SystemCallsOverride;
using testing_support::Call;
using testing_support::failingCall;
using testing_support::openDescriptors;
using testing_support::recordingCalls;
namespace err = runtime::err;
using testing_support::errorNumberOf;
using testing_support::namesIn;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

class FileChannelTest : public ::testing::Test {
protected:
    TempFolder folder;
    const std::string path = folder / "data.txt";
};

TEST_F(FileChannelTest, OutputIsReadBackByFieldsAndLines) {
    {
        FileChannel out(path, FileMode::Output);
        out.print("a,");
        out.printLine("\"b,c\"");
        out.printLine();
        out.printLine("last line");
        out.close();
    }
    EXPECT_EQ(readBytes(path), "a,\"b,c\"\r\n\r\nlast line\r\n");

    FileChannel in(path, FileMode::Input);
    EXPECT_EQ(in.inputField(), "a");
    EXPECT_EQ(in.inputField(), "b,c");
    EXPECT_EQ(in.inputField(), "");
    EXPECT_FALSE(in.eof());
    EXPECT_EQ(in.lineInput(), "last line");
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(errorNumberOf([&] { in.inputField(); }), err::PastEnd);
    EXPECT_EQ(errorNumberOf([&] { in.lineInput(); }), err::PastEnd);
}

TEST_F(FileChannelTest, OutputReplacesTheOldFileOnlyAtClose) {
    writeBytes(path, "old contents\r\n");
    FileChannel out(path, FileMode::Output);
    out.printLine("new");
    EXPECT_EQ(readBytes(path), "old contents\r\n");
    out.close();
    EXPECT_EQ(readBytes(path), "new\r\n");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"data.txt"});
}

TEST_F(FileChannelTest, OutputDestroyedWithoutCloseKeepsTheOldFile) {
    const std::string old = std::string("old\r\n\x8A\xEE\x96\x7B,1\r\n") + '\0' + "tail";
    writeBytes(path, old);
    {
        FileChannel out(path, FileMode::Output);
        out.printLine("new contents that must never land");
    }
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"data.txt"}) << "temporary file left";
}

TEST_F(FileChannelTest, OutputKilledMidWriteLeavesTheOldFileWhole) {
    const std::string old(5000, 'o');
    writeBytes(path, old);
    const std::string partial(100000, 'n');

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        try {
            FileChannel out(path, FileMode::Output);
            out.printLine(partial);
            const char byte = 1;
            if (::write(ready[1], &byte, 1) == 1)
                for (;;) ::pause();  // killed here, in the middle of writing the file
        } catch (...) {
        }
        ::_exit(2);
    }
    ::close(ready[1]);
    char byte = 0;
    const ssize_t got = ::read(ready[0], &byte, 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(got, 1) << "the child could not start writing";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    EXPECT_EQ(readBytes(path), old);
    // The part written before the kill did reach the disk, beside the data file.
    bool partialFound = false;
    for (const auto& name : namesIn(folder.path()))
        if (name != "data.txt") partialFound |= readBytes(folder / name) == partial + "\r\n";
    EXPECT_TRUE(partialFound);
}

TEST_F(FileChannelTest, AppendKeepsWhatIsThere) {
    writeBytes(path, "first\r\n");
    {
        FileChannel app(path, FileMode::Append);
        app.printLine("second");
        app.close();
    }
    {
        FileChannel app(path, FileMode::Append);
        app.print("third");
    }  // an append channel destroyed without close() keeps what it wrote
    EXPECT_EQ(readBytes(path), "first\r\nsecond\r\nthird");
}

TEST_F(FileChannelTest, AppendCreatesAMissingFile) {
    FileChannel app(path, FileMode::Append);
    app.printLine("x");
    app.close();
    EXPECT_EQ(readBytes(path), "x\r\n");
}

TEST_F(FileChannelTest, AppendSyncsAtCloseAndSyncsTheFolderOfAFileItCreated) {
    const struct {
        bool existed;
        std::vector<std::string> calls;
    } cases[] = {
        {true, {"open file", "write", "fsync file", "close file"}},
        {false, {"open file", "write", "fsync file", "close file", "open folder", "fsync folder", "close folder"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.existed ? "existing file" : "created file");
        std::filesystem::remove(path);
        if (c.existed) writeBytes(path, "first\r\n");
        std::vector<std::string> calls;
        {
            const SystemCallsOverride recorder(recordingCalls(calls));
            FileChannel app(path, FileMode::Append);
            app.printLine("closed trade");
            app.close();
        }
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(readBytes(path), std::string(c.existed ? "first\r\n" : "") + "closed trade\r\n");
    }
}

TEST_F(FileChannelTest, FailedAppendLeavesTheFileAsItWasAndLeaksNothing) {
    const std::string old = "archived 1\r\narchived 2\r\n";
    const struct {
        const char* what;
        Call call;
        int nth;
        int error;
        int raised;
        bool existed;
        std::string left;  // the file afterwards
    } cases[] = {
        {"disk full on the second write", Call::Write, 2, ENOSPC, err::DiskFull, true, old},
        {"the file's sync fails at close", Call::Fsync, 1, EIO, err::FileAccessFailed, true, old},
        // Synced before the close failed: what was added is on disk and stays.
        {"the close fails after the sync", Call::Close, 1, EIO, err::FileAccessFailed, true,
         old + "record 1\r\nrecord 2\r\n"},
        {"the folder's sync fails for a created file", Call::Fsync, 2, EIO, err::FileAccessFailed, false,
         "record 1\r\nrecord 2\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(path);
        if (c.existed) writeBytes(path, old);
        const std::size_t descriptors = openDescriptors();
        const int raised = errorNumberOf([&] {
            const SystemCallsOverride faults(failingCall(c.call, c.nth, c.error));
            FileChannel app(path, FileMode::Append);
            app.printLine("record 1");
            app.printLine("record 2");
            app.close();
        });
        EXPECT_EQ(raised, c.raised);
        EXPECT_EQ(readBytes(path), c.left);
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"data.txt"});
        EXPECT_EQ(openDescriptors(), descriptors) << "descriptor leaked";
    }
}

TEST_F(FileChannelTest, AppendCutsBackPartOfARecordWhenTheDiskFills) {
    writeBytes(path, "archived\r\n");
    // The disk takes the first bytes of the record, then it is full.
    runtime::SystemCalls calls = runtime::realSystemCalls();
    int writes = 0;
    calls.write = [&writes](int fd, const void* bytes, std::size_t n) -> ssize_t {
        if (++writes == 1) return runtime::realSystemCalls().write(fd, bytes, n < 4 ? n : 4);
        errno = ENOSPC;
        return -1;
    };
    {
        const SystemCallsOverride faults(calls);
        FileChannel app(path, FileMode::Append);
        EXPECT_EQ(errorNumberOf([&] { app.printLine("closed trade"); }), err::DiskFull);
    }
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(readBytes(path), "archived\r\n");
}

TEST_F(FileChannelTest, FailedPrintFailsTheChannelUntilItIsClosed) {
    for (const FileMode mode : {FileMode::Output, FileMode::Append}) {
        SCOPED_TRACE(mode == FileMode::Output ? "output" : "append");
        writeBytes(path, "old\r\n");
        const SystemCallsOverride faults(failingCall(Call::Write, 1, ENOSPC));
        FileChannel ch(path, mode);
        EXPECT_EQ(errorNumberOf([&] { ch.printLine("new"); }), err::DiskFull);
        // Nothing is written after a failure, and close() says so too: the file did not
        // get what the program printed.
        EXPECT_EQ(errorNumberOf([&] { ch.printLine("more"); }), err::DiskFull);
        EXPECT_EQ(errorNumberOf([&] { ch.close(); }), err::DiskFull);
        EXPECT_FALSE(ch.isOpen());
        EXPECT_EQ(errorNumberOf([&] { ch.close(); }), 0);
        EXPECT_EQ(readBytes(path), "old\r\n");
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"data.txt"});
    }
}

TEST_F(FileChannelTest, AppendThroughALinkReachesTheFileAndKeepsTheLink) {
    const std::string real = folder / "real.txt";
    const struct {
        const char* what;
        bool targetExists;
    } cases[] = {{"a link to a file", true}, {"a link whose file does not exist yet", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(real);
        if (c.targetExists) writeBytes(real, "first\r\n");
        std::filesystem::create_symlink("real.txt", path);
        FileChannel app(path, FileMode::Append);
        app.printLine("second");
        app.close();
        EXPECT_TRUE(std::filesystem::is_symlink(path));
        EXPECT_EQ(readBytes(real), std::string(c.targetExists ? "first\r\n" : "") + "second\r\n");
        std::filesystem::remove(path);
    }
}

TEST_F(FileChannelTest, InputStopsAtEndOfFileMark) {
    writeBytes(path, "a\r\n\x1A" "b\r\n");
    FileChannel in(path, FileMode::Input);
    EXPECT_EQ(in.lineInput(), "a");
    EXPECT_TRUE(in.eof());
}

TEST_F(FileChannelTest, EmptyFileIsAtEndAtOnce) {
    writeBytes(path, "");
    FileChannel in(path, FileMode::Input);
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(errorNumberOf([&] { in.inputField(); }), err::PastEnd);
}

TEST_F(FileChannelTest, WrongModeAndClosedChannelErrors) {
    writeBytes(path, "a\r\n");
    FileChannel in(path, FileMode::Input);
    FileChannel app(folder / "app.txt", FileMode::Append);
    FileChannel out(folder / "out.txt", FileMode::Output);

    EXPECT_EQ(errorNumberOf([&] { in.print("x"); }), err::BadFileMode);
    EXPECT_EQ(errorNumberOf([&] { in.printLine("x"); }), err::BadFileMode);
    EXPECT_EQ(errorNumberOf([&] { out.inputField(); }), err::BadFileMode);
    EXPECT_EQ(errorNumberOf([&] { app.lineInput(); }), err::BadFileMode);
    EXPECT_EQ(errorNumberOf([&] { out.eof(); }), err::BadFileMode);

    for (FileChannel* ch : {&in, &app, &out}) {
        ch->close();
        EXPECT_FALSE(ch->isOpen());
        EXPECT_EQ(errorNumberOf([&] { ch->close(); }), 0) << "closing twice does nothing";
        EXPECT_EQ(errorNumberOf([&] { ch->print("x"); }), err::ChannelNotOpen);
        EXPECT_EQ(errorNumberOf([&] { ch->inputField(); }), err::ChannelNotOpen);
        EXPECT_EQ(errorNumberOf([&] { ch->lineInput(); }), err::ChannelNotOpen);
        EXPECT_EQ(errorNumberOf([&] { ch->eof(); }), err::ChannelNotOpen);
    }
}

TEST_F(FileChannelTest, OpenErrors) {
    const std::string missingFolder = folder / "no/such.txt";
    EXPECT_EQ(errorNumberOf([&] { FileChannel(folder / "missing.txt", FileMode::Input); }),
              err::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { FileChannel(missingFolder, FileMode::Output); }), err::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { FileChannel(missingFolder, FileMode::Append); }), err::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { FileChannel(folder.path(), FileMode::Input); }),
              err::FileAccessFailed);
}

TEST_F(FileChannelTest, JapaneseFileNameIsTheNativeUtf8Name) {
    const std::string sjisName = "\x8A\xEE\x96\x7B.TXT";  // 基本.TXT
    {
        FileChannel out(folder / sjisName, FileMode::Output);
        out.printLine("1");
        out.close();
    }
    EXPECT_EQ(readBytes(folder / "\xE5\x9F\xBA\xE6\x9C\xAC.TXT"), "1\r\n");
    FileChannel in(folder / sjisName, FileMode::Input);
    EXPECT_EQ(in.inputField(), "1");
}

}  // namespace
