// The trade step that moves closed trades to the archive, killed at every point of it: the
// next start must find every trade whole, once, in the in-progress file or the archive.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "common/data_error.hpp"
#include "diary/files/trade_store.hpp"
#include "runtime/sjis.hpp"
#include "tests/runtime/temp_folder.hpp"

using namespace diary;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

namespace {

// Stand-ins for records: the store reads no record, but looks at how the archive ends,
// so the archive's stand-ins end as records do.
std::string record(const char* what) {
    return runtime::fromUtf8(std::string("********** ここから **********\r\n'") + what +
                             "\r\n---------- ここまで ----------\r\n\r\n");
}
const std::string kOldInProgress = "trade 1 open\r\ntrade 2 open\r\n";
const std::string kOldArchive = record("trade 0 closed");
const TradeFileTexts kStep{"trade 2 open\r\n", record("trade 1 closed") + record("memo 1")};

struct Folder {
    TempFolder dir;
    TradeStore store{runtime::fromUtf8(dir.path()) + "/"};
    Folder() {
        writeBytes(dir / "取引中データ.TXT", kOldInProgress);
        writeBytes(dir / "整理データ.TXT", kOldArchive);
    }
    std::string inProgress() const { return readBytes(dir / "取引中データ.TXT"); }
    std::string archive() const { return readBytes(dir / "整理データ.TXT"); }
    bool noteLeft() const { return std::filesystem::exists(dir / ".quillon-archive-step"); }
};

// Runs the step in a child killed at `point`; true when the child was killed there.
bool stepKilledAt(Folder& f, const char* point) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("QUILLON_KILL_AT", point, 1);
        try {
            f.store.write(kStep);
        } catch (...) {
            ::_exit(3);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace

TEST(TradeStore, AStepWithoutClosedTradesOnlyReplacesTheInProgressFile) {
    Folder f;
    f.store.write({"trade 1 open\r\n", ""});
    EXPECT_EQ(f.inProgress(), "trade 1 open\r\n");
    EXPECT_EQ(f.archive(), kOldArchive);
    EXPECT_FALSE(f.noteLeft());
    EXPECT_EQ(f.store.recover(), TradeStore::Recovery::None);
}

TEST(TradeStore, AWholeStepAppendsThenReplaces) {
    Folder f;
    f.store.write(kStep);
    EXPECT_EQ(f.inProgress(), kStep.inProgress);
    EXPECT_EQ(f.archive(), kOldArchive + kStep.archiveAppend);
    EXPECT_FALSE(f.noteLeft());
}

TEST(TradeStore, KilledAtAnyPointTheNextStartLosesAndDuplicatesNothing) {
    struct Case {
        const char* point;
        TradeStore::Recovery recovery;
        bool stepDone;  // the closed trade is in the archive and gone from the trade file
    } cases[] = {
        {"after-note", TradeStore::Recovery::Undone, false},
        {"inside-archive-append", TradeStore::Recovery::Undone, false},
        {"after-archive-append", TradeStore::Recovery::Finished, true},
        {"after-trade-file", TradeStore::Recovery::Finished, true},
    };
    for (const Case& c : cases) {
        Folder f;
        ASSERT_TRUE(stepKilledAt(f, c.point)) << c.point;
        EXPECT_TRUE(f.noteLeft()) << c.point;
        EXPECT_EQ(f.store.recover(), c.recovery) << c.point;
        EXPECT_FALSE(f.noteLeft()) << c.point;
        if (c.stepDone) {
            EXPECT_EQ(f.inProgress(), kStep.inProgress) << c.point;
            EXPECT_EQ(f.archive(), kOldArchive + kStep.archiveAppend) << c.point;
        } else {
            EXPECT_EQ(f.inProgress(), kOldInProgress) << c.point;
            EXPECT_EQ(f.archive(), kOldArchive) << c.point;
        }
        // A second start finds nothing more to do, and the next step works as ever.
        EXPECT_EQ(f.store.recover(), TradeStore::Recovery::None) << c.point;
        f.store.write({"trade 2 open\r\n", ""});
        EXPECT_EQ(f.inProgress(), "trade 2 open\r\n") << c.point;
    }
}

TEST(TradeStore, AnArchiveChangedSinceTheNoteIsLeftAlone) {
    Folder f;
    ASSERT_TRUE(stepKilledAt(f, "after-note"));
    writeBytes(f.dir / "整理データ.TXT", "edited by hand: one record more\r\n");
    EXPECT_THROW(f.store.recover(), common::DataError);
    EXPECT_EQ(f.archive(), "edited by hand: one record more\r\n");
    EXPECT_EQ(f.inProgress(), kOldInProgress);
    EXPECT_TRUE(f.noteLeft());
}

TEST(TradeStore, TheFirstClosedTradeCreatesTheArchive) {
    Folder f;
    std::filesystem::remove(f.dir / "整理データ.TXT");
    ASSERT_TRUE(stepKilledAt(f, "inside-archive-append"));
    EXPECT_EQ(f.store.recover(), TradeStore::Recovery::Undone);
    EXPECT_EQ(f.archive(), "");
    f.store.write(kStep);
    EXPECT_EQ(f.archive(), kStep.archiveAppend);
}

TEST(TradeStore, TheRecordsStartALineOfTheirOwnAfterTheArchivesLastWholeRecord) {
    const std::string record = runtime::fromUtf8("********** ここから **********\r\n---------- ここまで ----------\r\n\r\n");
    // A last line without its line end (an editor dropped it) gets one first.
    Folder f;
    writeBytes(f.dir / "整理データ.TXT", record + "'comment");
    f.store.write(kStep);
    EXPECT_EQ(f.archive(), record + "'comment\r\n" + kStep.archiveAppend);

    // Part of a record after the last whole one: nothing is written, the trade stays open.
    for (const std::string& cut : {record + "********** ここから **********\r\n0300_メモ, 3\r\n",
                                   std::string("********** ここから **********\r\n0300_取"),
                                   std::string(200000, 'x') + record + "0300_取引ナンバー, 9\r\n"}) {
        Folder g;
        writeBytes(g.dir / "整理データ.TXT", cut);
        EXPECT_THROW(g.store.write(kStep), common::DataError);
        EXPECT_EQ(g.archive(), cut);
        EXPECT_EQ(g.inProgress(), kOldInProgress);
        EXPECT_FALSE(g.noteLeft());
    }
}

TEST(TradeStore, TheNoteReadsBackAndRefusesWhatIsNoNote) {
    const StoreNote note{16, "records\r\n", "trades\r\n"};
    StoreNote back;
    ASSERT_TRUE(readStoreNote(storeNoteText(note), back));
    EXPECT_EQ(back.archiveBefore, 16);
    EXPECT_EQ(back.append, note.append);
    EXPECT_EQ(back.inProgress, note.inProgress);
    for (const char* text : {"", "QUILLON archive step\n1\n2\n", "QUILLON archive step\n1\n9\n0\nshort",
                             "QUILLON archive step\n9999999999999999999\n0\n0\n", "QUILLON archive step\n-1\n0\n0\n"})
        EXPECT_FALSE(readStoreNote(text, back)) << text;
}
