// The closed-trade window on years of trades, against decoding the same file once, in
// one run. The review: the archive read, split, counted, the table dimensioned and the
// archive read into it, the entry list built, one entry shown (its settlement list and
// record text) and one settlement (its record text), then the close: the table erased
// and the in-progress file read back into a table of the stock capacity. The reference
// reads the archive with plain calls and converts it from CP932 to UTF-8 with iconv in
// memory: every byte read and decoded once. Also the memory the table takes while it
// holds the archive, against the file's size, and `quillon-data check` on the archive
// (it reads archives with the same reader, then writes them back in memory).
// Aims (not enforced): review / reference <= 3, table <= 4 x the file's size.
//
//   review_bench [--trades N] [--runs N] [--dir DIR] [--quillon-data PATH]
//   review_bench [--trades N] --write FILE
// N trades (default 10000; every fourth settled in two steps: 3.25 records a trade, and
// the table's 16-bit indexes hold 32767 records). DIR is where the files go (a fresh
// folder is made in it and removed at the end); the default is the system's temporary
// folder. PATH is the checker to time; the default is quillon-data beside this program.
// --write only writes the archive to FILE, for timing other readers on it by hand.
#include <fcntl.h>
#include <iconv.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_data.hpp"
#include "bench/closed_trade_archive.hpp"
#include "diary/files/trade_file.hpp"
#include "diary/files/trade_record.hpp"
#include "diary/trades/review.hpp"
#include "runtime/safe_file.hpp"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double secondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void keepBest(double& best, double t) { best = std::min(best, t); }

[[noreturn]] void fail(const char* what) {
    std::perror(what);
    std::exit(1);
}

// --- the reference: read and decode once ----------------------------------------------

std::string plainRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail("open");
    struct stat st {};
    if (::fstat(fd, &st) != 0) fail("fstat");
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    if (::read(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) fail("read");
    ::close(fd);
    return bytes;
}

// The file in UTF-8: its length, so that the work cannot be left out.
std::size_t decodeFile(const std::string& path) {
    std::string bytes = plainRead(path);
    const iconv_t cd = ::iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) fail("iconv_open");
    // A CP932 byte becomes at most three UTF-8 bytes (half-width katakana).
    const std::size_t room = bytes.size() * 3;
    const std::unique_ptr<char[]> out(new char[room]);
    char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    char* to = out.get();
    std::size_t outLeft = room;
    if (::iconv(cd, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) fail("iconv");
    ::iconv_close(cd);
    return room - outLeft;
}

// --- the review --------------------------------------------------------------------------

struct Steps {
    double read = 1e30, split = 1e30, count = 1e30, dimension = 1e30, fill = 1e30;
    double list = 1e30, entry = 1e30, settlement = 1e30, close = 1e30;
    double rewrite = 1e30;  // not part of the review timed against the reference
};

// Opens the review as the closed-trade window loads the archive: the file's text lives
// only while it is read, as there.
int loadArchive(const std::string& path, diary::BasicData& basic, const diary::NewRecordDefaults& defaults,
                diary::TradeTable& table, Steps& t) {
    double read = 0, split = 0, count = 0, dimension = 0, fill = 0;
    int records = 0;
    {
        std::string text;
        read = secondsOf([&] { text = runtime::readWholeFile(path); });
        diary::ArchiveText archive;
        split = secondsOf([&] { archive = diary::splitArchive(text); });
        count = secondsOf([&] { records = diary::countTradeRecords(archive.complete); });
        dimension = secondsOf([&] {
            basic.stockCapacity = static_cast<std::int16_t>(std::min(records, 32767));
            table.erase();
            table.dimension(records);
        });
        fill = secondsOf([&] {
            const diary::TradeFileReading found =
                diary::readTradeFile(archive.complete, diary::TradeFileKind::Archive, basic, defaults, table);
            if (found.namesMet.empty()) std::abort();
        });
    }
    keepBest(t.read, read);
    keepBest(t.split, split);
    keepBest(t.count, count);
    keepBest(t.dimension, dimension);
    keepBest(t.fill, fill);
    return records;
}

diary::ItemSelection everyItemShown() {
    diary::ItemSelection items;
    items.shown.fill(true);
    return items;
}

// The entry list, then the entry in the middle of it and its last settlement shown.
void browse(const diary::TradeTable& table, const diary::BasicData& basic, Steps& t) {
    const diary::ItemSelection items = everyItemShown();
    diary::RecordLines entries;
    const double list = secondsOf([&] { entries = diary::closedTradeList(table, true, true, 0); });
    if (entries.records.empty()) {
        std::fprintf(stderr, "the entry list is empty\n");
        std::exit(1);
    }
    const int e = entries.records[entries.records.size() / 2];
    diary::RecordLines settlements;
    const double entry = secondsOf([&] {
        settlements = diary::settlementList(table, e, basic);
        if (diary::recordText(table.at(e), basic, items).empty()) std::abort();
    });
    if (settlements.records.size() < 2) {
        std::fprintf(stderr, "the shown entry has no settlement and memo record\n");
        std::exit(1);
    }
    const int s = settlements.records[settlements.records.size() - 2];
    const double settlement = secondsOf([&] {
        if (diary::recordText(table.at(s), basic, items).empty()) std::abort();
    });
    keepBest(t.list, list);
    keepBest(t.entry, entry);
    keepBest(t.settlement, settlement);
}

// The close: the archive's table erased, the trades in progress read back into a table
// of the basic data's stock capacity.
void closeReview(const std::string& inProgressPath, const diary::BasicData& configured,
                 const diary::NewRecordDefaults& defaults, diary::TradeTable& table, Steps& t) {
    diary::BasicData basic = configured;
    const double close = secondsOf([&] {
        table.erase();
        table.dimension(basic.stockCapacity);
        const std::string text = runtime::readWholeFile(inProgressPath);
        diary::readTradeFile(text, diary::TradeFileKind::InProgress, basic, defaults, table);
    });
    if (table.lastIndex < 0) {
        std::fprintf(stderr, "the in-progress file read back no record\n");
        std::exit(1);
    }
    keepBest(t.close, close);
}

// --- memory -------------------------------------------------------------------------------

// Heap in use: the allocator's arena and the blocks it maps on their own.
std::size_t heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// VmRSS or VmHWM of this process in bytes.
std::size_t statusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::strtoull(line.c_str() + length + 1, nullptr, 10) * 1024;
    return 0;
}

// Starts the peak resident size afresh at the present one.
void resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

struct Memory {
    std::size_t heap = 0, rssGrowth = 0, rssTrimmed = 0, peakGrowth = 0, heapAfterClose = 0;
};

Memory measureMemory(const std::string& archivePath, const std::string& inProgressPath,
                     const diary::BasicData& configured, const diary::NewRecordDefaults& defaults) {
    Memory m;
    malloc_trim(0);
    resetPeak();
    const std::size_t heapBefore = heapInUse();
    const std::size_t rssBefore = statusBytes("VmRSS");
    {
        diary::BasicData basic = configured;
        diary::TradeTable table;
        Steps ignored;
        loadArchive(archivePath, basic, defaults, table, ignored);
        m.heap = heapInUse() - heapBefore;
        m.rssGrowth = statusBytes("VmRSS") - rssBefore;
        m.peakGrowth = statusBytes("VmHWM") - rssBefore;
        // The allocator may keep the freed text's pages (it reuses a free block of the
        // arena for it): what the table alone keeps resident shows after a trim.
        malloc_trim(0);
        m.rssTrimmed = statusBytes("VmRSS") - rssBefore;
        closeReview(inProgressPath, configured, defaults, table, ignored);
        m.heapAfterClose = heapInUse() - heapBefore;
    }
    return m;
}

// --- the checker --------------------------------------------------------------------------

struct CheckRun {
    double seconds = 0;
    long peakKiB = 0;
    bool ok = false;
};

CheckRun timeCheck(const std::string& checker, const std::string& archivePath) {
    CheckRun run;
    std::vector<std::string> args = {checker, "check", archivePath};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, checker.c_str(), &actions, nullptr, argv.data(), environ) != 0) fail("posix_spawn");
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid) fail("wait4");
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    run.peakKiB = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

std::string besideThisProgram(const char* argv0, const char* name) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return ((error ? std::filesystem::path(argv0) : self).parent_path() / name).string();
}

double mib(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int main(int argc, char** argv) {
    int trades = 10000;
    int runs = 5;
    std::string base = std::filesystem::temp_directory_path().string();
    std::string checker = besideThisProgram(argv[0], "quillon-data");
    std::string writeOnly;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trades") == 0 && i + 1 < argc) trades = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) base = argv[++i];
        else if (std::strcmp(argv[i], "--quillon-data") == 0 && i + 1 < argc) checker = argv[++i];
        else if (std::strcmp(argv[i], "--write") == 0 && i + 1 < argc) writeOnly = argv[++i];
        else {
            std::fprintf(stderr, "usage: review_bench [--trades N] [--runs N] [--dir DIR] [--quillon-data PATH]\n"
                                 "       review_bench [--trades N] --write FILE\n");
            return 2;
        }
    }
    const diary::BasicData configured = bench::benchBasicData(10);
    const diary::NewRecordDefaults defaults = bench::defaultsOf(configured);
    if (!writeOnly.empty()) {
        runtime::writeFileSafely(writeOnly, bench::closedTradeArchive(trades, configured, defaults).text);
        return 0;
    }
    std::string root = base + "/review_bench_XXXXXX";
    if (::mkdtemp(root.data()) == nullptr) fail("mkdtemp");
    const std::string archivePath = root + "/整理データ.TXT";
    const std::string inProgressPath = root + "/取引中データ.TXT";

    std::size_t fileBytes = 0;
    int records = 0;
    {
        const bench::ClosedTradeArchive archive = bench::closedTradeArchive(trades, configured, defaults);
        runtime::writeFileSafely(archivePath, archive.text);
        runtime::writeFileSafely(inProgressPath, bench::openTradesFile(5, configured, defaults));
        fileBytes = archive.text.size();
        records = archive.records;
    }
    if (records > 32767) {
        std::fprintf(stderr, "%d records: the table's 16-bit indexes hold 32767\n", records);
        std::filesystem::remove_all(root);
        return 2;
    }

    Steps steps;
    double review = 1e30, reference = 1e30;
    {
        // The text a memo edit writes over the archive when the review closes: the records
        // as read, which must be the file's bytes again.
        diary::BasicData basic = configured;
        diary::TradeTable table;
        loadArchive(archivePath, basic, defaults, table, steps);
        std::string rewritten;
        for (int run = 0; run < runs; ++run)
            keepBest(steps.rewrite, secondsOf([&] { rewritten = diary::writeArchive(table, basic); }));
        if (rewritten != runtime::readWholeFile(archivePath)) {
            std::fprintf(stderr, "the archive read and written again is not the file\n");
            return 1;
        }
    }
    std::size_t decoded = 0;
    for (int run = 0; run < runs; ++run) {
        diary::BasicData basic = configured;
        diary::TradeTable table;
        int counted = 0;
        keepBest(review, secondsOf([&] {
                     counted = loadArchive(archivePath, basic, defaults, table, steps);
                     browse(table, basic, steps);
                     closeReview(inProgressPath, configured, defaults, table, steps);
                 }));
        if (counted != records) {
            std::fprintf(stderr, "the review counted %d records of %d\n", counted, records);
            return 1;
        }
        keepBest(reference, secondsOf([&] { decoded = decodeFile(archivePath); }));
    }
    const Memory memory = measureMemory(archivePath, inProgressPath, configured, defaults);
    std::vector<CheckRun> checks;
    if (std::filesystem::exists(checker))
        for (int run = 0; run < std::min(runs, 3); ++run) checks.push_back(timeCheck(checker, archivePath));
    std::filesystem::remove_all(root);

    const auto ms = [](double s) { return s * 1000.0; };
    std::printf("archive of %d closed trades, %d records, %zu bytes (%.1f MiB; %.0f bytes a record); %zu bytes in UTF-8\n",
                trades, records, fileBytes, mib(fileBytes), static_cast<double>(fileBytes) / records, decoded);
    std::printf("review open+close %8.1f ms  read+iconv %8.1f ms  ratio %5.2f  (aim <= 3)\n", ms(review),
                ms(reference), review / reference);
    std::printf("  read %.1f, split %.1f, count %.1f, dimension %.1f, read into table %.1f, entry list %.1f,\n"
                "  entry %.3f, settlement %.3f, close %.1f ms (best of each)\n",
                ms(steps.read), ms(steps.split), ms(steps.count), ms(steps.dimension), ms(steps.fill),
                ms(steps.list), ms(steps.entry), ms(steps.settlement), ms(steps.close));
    std::printf("  (the archive's text written again after a memo edit: %.1f ms, not in the ratio)\n", ms(steps.rewrite));
    std::printf("table holding the archive: heap %.1f MiB = %.2f x the file  (aim <= 4 x = %.1f MiB)\n",
                mib(memory.heap), static_cast<double>(memory.heap) / static_cast<double>(fileBytes),
                mib(4 * fileBytes));
    std::printf("  VmRSS grew %.1f MiB (%.1f MiB after malloc_trim), VmHWM (peak while opening) %.1f MiB over the start\n",
                mib(memory.rssGrowth), mib(memory.rssTrimmed), mib(memory.peakGrowth));
    std::printf("  heap after the close %.1f MiB; %zu bytes a record slot\n", mib(memory.heapAfterClose),
                sizeof(diary::TradeRecord));
    if (checks.empty()) {
        std::printf("quillon-data check: %s not found, not timed\n", checker.c_str());
        return 0;
    }
    const auto best = std::min_element(checks.begin(), checks.end(),
                                       [](const CheckRun& a, const CheckRun& b) { return a.seconds < b.seconds; });
    std::printf("quillon-data check %8.1f ms  ratio to read+iconv %5.2f  peak RSS %.1f MiB  %s\n", ms(best->seconds),
                best->seconds / reference, static_cast<double>(best->peakKiB) / 1024.0,
                best->ok ? "ok" : "FAILED");
    return best->ok ? 0 : 1;
}
