#pragma once
// The trade files of one trade-data folder written as one step: the closed trades are
// appended to "整理データ.TXT" and the rest replaces "取引中データ.TXT", ordered so that a
// crash at any instant loses no trade and duplicates none. Every trade is whole in the
// in-progress file or in the archive, and the next start finishes or undoes a step that
// was cut off (recover()).

#include <string>
#include <string_view>

#include "diary/files/trade_file.hpp"

namespace diary {

class TradeStore {
public:
    // `folder`: the trade-data folder (CP932, ending in "/", or empty for the working
    // directory).
    explicit TradeStore(std::string folder) : folder_(std::move(folder)) {}

    std::string inProgressPath() const;
    std::string archivePath() const;
    // The note of a step under way, beside the trade files.
    std::string notePath() const;

    // Writes one trade step. Without closed trades the in-progress file is replaced
    // safely (old or new, never neither). With closed trades:
    //   1. the note records the archive's size, the records to append and the new
    //      in-progress file, and is itself written safely;
    //   2. the records are appended to the archive and synced;
    //   3. the in-progress file is replaced safely;
    //   4. the note is deleted.
    // Cut off before 2 is done, the archive holds at most part of the records and the
    // in-progress file is the old one: recover() cuts the archive back. Cut off after 2,
    // the archive holds the records whole: recover() does 3 and 4.
    // The records start a line after the archive's last whole record: a last line without
    // its line end gets one; an archive that ends in part of a record refuses the step with
    // common::DataError before anything is written.
    void write(const TradeFileTexts& texts);

    enum class Recovery { None, Finished, Undone };
    // Finishes or undoes a step a crash cut off, as write() describes. Throws
    // common::DataError when the archive no longer matches the note (it was changed in
    // between), leaving everything as it is.
    Recovery recover();

private:
    void deleteNote();

    std::string folder_;
};

// The note of a step under way: a first line naming it, three lines of sizes (the
// archive's before the step, the records to append, the new in-progress file), then the
// records and the in-progress file byte for byte. The reading is false for any text that
// is not such a note.
struct StoreNote {
    long long archiveBefore = 0;
    std::string append;
    std::string inProgress;
};
std::string storeNoteText(const StoreNote& note);
bool readStoreNote(std::string_view text, StoreNote& note);

// A point inside a multi-file step where a test may kill the process: when the
// environment variable QUILLON_KILL_AT names it, the process ends at once (SIGKILL), as a
// crash or power loss would end it.
void killPoint(const char* name);

}  // namespace diary
