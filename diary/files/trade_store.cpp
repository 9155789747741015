#include "diary/files/trade_store.hpp"

#include <csignal>
#include <cstdlib>
#include <cstring>

#include "common/data_error.hpp"
#include "runtime/file_channel.hpp"
#include "runtime/file_system.hpp"
#include "runtime/numbers.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace diary {

namespace {

constexpr std::string_view kNoteHeading = "QUILLON archive step";

// Reads a number line of the note (at most 18 digits, so that it fits); false when there
// is none.
bool numberLine(std::string_view& rest, long long& value) {
    const auto end = rest.find('\n');
    if (end == std::string_view::npos || end == 0 || end > 18) return false;
    value = 0;
    for (char c : rest.substr(0, end)) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    rest.remove_prefix(end + 1);
    return true;
}

void replaceSafely(const std::string& path, std::string_view text) {
    runtime::writeFileSafely(runtime::nativePath(path), text);
}

[[noreturn]] void noteMismatch(const std::string& note) {
    throw common::DataError("取引データの移動エラー"_sj,
                            "整理データ.TXTへの書き込みが途中で中断された記録("_sj + note +
                                ")がありますが、整理データ.TXTがその後に変更されているため、"
                                "自動では修復できません。"_sj);
}

// How the archive ends, read from its last bytes only (the step must not read years of
// trades): whether its last line lacks a line end, and whether part of a record follows
// its last whole one (a hand edit cut it).
struct ArchiveEnd {
    bool needsLineEnd = false;
    bool cutOff = false;
};

ArchiveEnd archiveEnd(const std::string& path) {
    ArchiveEnd end;
    if (!runtime::fileExists(path)) return end;
    const std::string native = runtime::nativePath(path);
    const auto size = static_cast<std::size_t>(runtime::fileLength(path));
    for (std::size_t count = 65536;; count *= 2) {
        const std::string tail = runtime::readFileEnd(native, count);
        if (!tail.empty()) end.needsLineEnd = tail.back() != '\n' && tail.back() != '\r';
        const ArchiveText split = splitArchive(tail);
        // Without a record's end in these bytes, the whole file decides.
        const bool sawRecordEnd = tail.find("---------- ここまで ----------"_sj) != std::string::npos;
        if (sawRecordEnd || tail.size() >= size) {
            end.cutOff = !split.tail.empty();
            return end;
        }
    }
}

}  // namespace

std::string storeNoteText(const StoreNote& n) {
    return std::string(kNoteHeading) + "\n" + std::to_string(n.archiveBefore) + "\n" +
           std::to_string(n.append.size()) + "\n" + std::to_string(n.inProgress.size()) + "\n" + n.append +
           n.inProgress;
}

bool readStoreNote(std::string_view text, StoreNote& n) {
    if (text.substr(0, kNoteHeading.size() + 1) != std::string(kNoteHeading) + "\n") return false;
    text.remove_prefix(kNoteHeading.size() + 1);
    long long appendSize = 0, inProgressSize = 0;
    if (!numberLine(text, n.archiveBefore) || !numberLine(text, appendSize) || !numberLine(text, inProgressSize))
        return false;
    if (static_cast<unsigned long long>(appendSize) + static_cast<unsigned long long>(inProgressSize) != text.size())
        return false;
    n.append.assign(text.substr(0, static_cast<std::size_t>(appendSize)));
    n.inProgress.assign(text.substr(static_cast<std::size_t>(appendSize)));
    return true;
}

void killPoint(const char* name) {
    const char* at = std::getenv("QUILLON_KILL_AT");
    if (at != nullptr && std::strcmp(at, name) == 0) std::raise(SIGKILL);
}

std::string TradeStore::inProgressPath() const { return folder_ + "取引中データ.TXT"_sj; }
std::string TradeStore::archivePath() const { return folder_ + "整理データ.TXT"_sj; }
std::string TradeStore::notePath() const { return folder_ + ".quillon-archive-step"; }

void TradeStore::write(const TradeFileTexts& texts) {
    if (texts.archiveAppend.empty()) {
        killPoint("before-trade-file");
        replaceSafely(inProgressPath(), texts.inProgress);
        killPoint("after-trade-file");
        return;
    }
    // The records must start a line of their own after a whole record: glued onto a last
    // line without its line end, or onto part of a record, they would be read as part of
    // it. A missing line end is added; a cut-off record refuses the step, nothing written.
    const ArchiveEnd end = archiveEnd(archivePath());
    if (end.cutOff)
        throw common::DataError("整理データの警告"_sj,
                                "整理データ.TXTの最後の取引データが途中で切れているため、終了した取引を"
                                "整理データに移せません。\r\n取引中データは変更していません。"
                                "整理データ.TXTの最後を直してから、もう一度操作して下さい。"_sj);
    StoreNote note;
    note.archiveBefore = runtime::fileExists(archivePath()) ? runtime::fileLength(archivePath()) : 0;
    note.append = (end.needsLineEnd ? "\r\n" : "") + texts.archiveAppend;
    note.inProgress = texts.inProgress;
    replaceSafely(notePath(), storeNoteText(note));
    killPoint("after-note");
    {
        runtime::FileChannel archive(archivePath(), runtime::FileMode::Append);
        // Half of the records, then the rest: a cut here leaves a torn tail to undo.
        const std::size_t half = note.append.size() / 2;
        archive.print(std::string_view(note.append).substr(0, half));
        killPoint("inside-archive-append");
        archive.print(std::string_view(note.append).substr(half));
        archive.close();  // synced: the records are on disk before the trade file changes
    }
    killPoint("after-archive-append");
    replaceSafely(inProgressPath(), texts.inProgress);
    killPoint("after-trade-file");
    deleteNote();
}

// The note goes for good before the next step can change the in-progress file: a note
// that came back after a power loss would replay an old step.
void TradeStore::deleteNote() {
    runtime::deleteFile(notePath());
    runtime::syncFolderOf(notePath());
}

TradeStore::Recovery TradeStore::recover() {
    if (!runtime::fileExists(notePath())) return Recovery::None;
    StoreNote note;
    if (!readStoreNote(runtime::readWholeFile(runtime::nativePath(notePath())), note)) noteMismatch(notePath());
    const bool haveArchive = runtime::fileExists(archivePath());
    const std::string archive = haveArchive ? runtime::readWholeFile(runtime::nativePath(archivePath())) : "";
    const auto before = static_cast<std::size_t>(note.archiveBefore);
    if (archive.size() < before) noteMismatch(notePath());
    const std::string_view tail = std::string_view(archive).substr(before);
    if (tail.size() >= note.append.size() && tail.substr(0, note.append.size()) == note.append) {
        // The records reached the archive whole: the in-progress file follows.
        replaceSafely(inProgressPath(), note.inProgress);
        deleteNote();
        return Recovery::Finished;
    }
    if (std::string_view(note.append).substr(0, tail.size()) != tail) noteMismatch(notePath());
    // Part of the records or none: the archive goes back to what it was; the in-progress
    // file was never replaced and still holds the trades.
    if (haveArchive && tail.size() > 0) runtime::truncateFile(archivePath(), note.archiveBefore);
    deleteNote();
    return Recovery::Undone;
}

}  // namespace diary
