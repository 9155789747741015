// One trade step of the diary against plain file calls on the same bytes, measured in one
// run: the trade files written through the trade store, the in-progress file read back
// into the table, the trade list built, and the three data files copied into a new backup
// folder; the reference writes, syncs and reads the same bytes with open/write/fsync/
// close/rename and read (the same files, the same syncs, the backup copies included).
// Both on a table of 1000 open records (stock capacity 1000) and of the default 10. Also
// the heap the table of 1000 records takes. Aims (not enforced): step / reference <= 5,
// table of 1000 records <= 20 MiB.
//
//   trade_step_bench [--runs N] [--dir DIR]
// DIR is where the files go (a fresh folder is made in it and removed at the end); the
// default is the system's temporary folder. The ratio depends on how fast DIR syncs.
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_data.hpp"
#include "diary/files/basic_data.hpp"
#include "diary/files/trade_file.hpp"
#include "diary/files/trade_record.hpp"
#include "diary/files/trade_store.hpp"
#include "diary/trades/trade_list.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace {

using Clock = std::chrono::steady_clock;

double secondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string stamp(int n) {
    char text[32];
    std::snprintf(text, sizeof text, "2026/%02d/%02d_%02d:%02d:%02d", 1 + n % 12, 1 + n % 28, n % 24, n % 60,
                  (n * 7) % 60);
    return text;
}

// Record n of an open table: every fourth one the partial settlement of the entry before
// it, the others entries still open; every field set, a memo of three lines.
void fillRecord(diary::TradeRecord& r, int n, const diary::BasicData& b, const diary::NewRecordDefaults& d) {
    diary::initialiseRecord(r, d);
    const bool settlement = n % 4 == 3;
    const int trade = settlement ? n - 1 : n;
    r.tradeNumber = static_cast<float>(1000 + trade);
    r.recordKind = settlement ? 1 : 0;
    r.status = settlement ? b.tradeStates[3] : b.tradeStates[1];
    r.statusTime = stamp(n);
    r.confirmTime = stamp(n + 1);
    r.pairIndex = static_cast<std::int16_t>(1 + n % 3);
    r.pairName = b.currencyPairs[static_cast<std::size_t>(r.pairIndex)];
    r.sideIndex = static_cast<std::int16_t>(settlement ? 1 : 2);
    r.sideName = b.tradeSides[static_cast<std::size_t>(r.sideIndex)];
    const std::string fraction = std::to_string(10 + n % 90);
    r.priceText = std::to_string(100 + n % 20) + "." + fraction;
    r.priceInteger = std::to_string(100 + n % 20);
    r.priceFraction = fraction;
    r.orderLots = 10;
    r.remainingLots = 7;
    r.settleLots = settlement ? 3 : 0;
    r.lotUnit = 10000;
    r.timeframeIndex = 2;
    r.timeframeName = b.timeframes[2].base;
    r.stopChart = "STOP" + std::to_string(n) + ".JPG";
    r.stopInteger = r.carryStopInteger = std::to_string(99 + n % 20);
    r.stopFraction = r.carryStopFraction = "85";
    r.stopTime = r.carryStopTime = stamp(n + 2);
    r.targetInteger = r.carryTargetInteger = std::to_string(101 + n % 20);
    r.targetFraction = r.carryTargetFraction = "20";
    r.targetTime = r.carryTargetTime = stamp(n + 3);
    r.basePL = settlement ? "0.3" : "0";
    r.tradePL = settlement ? "0.9" : "0";
    r.tradePLAmount = settlement ? "9000" : "0";
    r.memoLineCount = 3;
    for (int c = 1; c <= 5; ++c) r.memoChart[c] = "MEMO" + std::to_string(n) + "_" + std::to_string(c) + ".BMP";
    r.memoText = "押し目を待ってエントリー。"_sj + "\r\n" + "指標の前に建値へ。"_sj + "\r\n" + "反省: 早すぎた"_sj;
    for (int g = 1; g <= 3; ++g) {
        r.groups[g].chart = "G" + std::to_string(g) + "_" + std::to_string(n) + ".JPG";
        for (int i = diary::firstItemOf(g); i <= 3; ++i) {
            diary::RecordChoice& c = r.groups[g].items[i];
            c.index = static_cast<std::int16_t>(1 + (n + i) % 2);
            c.text = b.groups[g].items[i].choices[static_cast<std::size_t>(c.index)];
            c.time = stamp(n + g + i);
        }
    }
    for (int k = 1; k <= 2; ++k) {
        diary::RecordOption& o = r.options[k];
        o.chart = "OP" + std::to_string(k) + "_" + std::to_string(n) + ".JPG";
        o.choice.index = static_cast<std::int16_t>(1 + n % 2);
        o.choice.text = b.options[k].choices[static_cast<std::size_t>(o.choice.index)];
        o.choice.time = stamp(n + 5 + k);
    }
}

void fillTable(diary::TradeTable& table, int records, const diary::BasicData& b, const diary::NewRecordDefaults& d) {
    for (int n = 0; n < records; ++n) fillRecord(table.at(n), n, b, d);
    table.lastIndex = records - 1;
    table.currentIndex = table.lastIndex;
}

// --- the reference: plain calls -------------------------------------------------------

void check(bool ok, const char* what) {
    if (ok) return;
    std::perror(what);
    std::exit(1);
}

void plainWrite(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    check(fd >= 0, "open");
    check(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "write");
    check(::fsync(fd) == 0, "fsync");
    check(::close(fd) == 0, "close");
    check(::rename(temp.c_str(), path.c_str()) == 0, "rename");
}

void plainSyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    check(fd >= 0 && ::fsync(fd) == 0, "fsync folder");
    ::close(fd);
}

std::string plainRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    check(fd >= 0, "open");
    struct stat st {};
    check(::fstat(fd, &st) == 0, "fstat");
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    check(::read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "read");
    ::close(fd);
    return bytes;
}

// --- one case -------------------------------------------------------------------------

struct Timings {
    double step = 1e30, reference = 1e30;
    double format = 1e30, store = 1e30, readBack = 1e30, list = 1e30, backup = 1e30;
    std::size_t inProgressBytes = 0;
};

void keepBest(double& best, double t) { best = std::min(best, t); }

Timings measure(int records, int runs, const std::string& root) {
    const std::string dir = root + "/" + std::to_string(records) + "/";
    std::filesystem::create_directories(dir + "trades");
    std::filesystem::create_directories(dir + "basic");
    std::filesystem::create_directories(dir + "backup");
    const std::string tradeFolder = dir + "trades/";
    const std::string basicPath = dir + "basic/" + "基本データ.TXT"_sj;
    const std::string backupFolder = dir + "backup/";

    diary::BasicData basic = bench::benchBasicData(records);
    const diary::NewRecordDefaults defaults = bench::defaultsOf(basic);
    diary::TradeTable table;
    table.dimension(basic.stockCapacity);
    fillTable(table, records, basic, defaults);
    diary::TradeStore store(tradeFolder);
    // The files a backup copies: the basic data and an archive of closed trades are there.
    runtime::writeFileSafely(runtime::nativePath(basicPath), std::string(6000, 'b'));
    std::string archive;
    for (int n = 0; n < std::min(records, 50); ++n) archive += diary::writeTradeRecord(table.at(n), basic);
    runtime::writeFileSafely(runtime::nativePath(store.archivePath()), archive);
    const std::string expected = diary::writeTradeFiles(table, basic, defaults).inProgress;

    Timings t;
    t.inProgressBytes = expected.size();
    for (int run = 0; run < runs; ++run) {
        const std::string folder = backupFolder + "B" + std::to_string(run);
        double format = 0, storeWrite = 0, readBack = 0, list = 0, backup = 0;
        const double step = secondsOf([&] {
            diary::TradeFileTexts texts;
            format = secondsOf([&] { texts = diary::writeTradeFiles(table, basic, defaults); });
            storeWrite = secondsOf([&] { store.write(texts); });
            readBack = secondsOf([&] {
                const std::string text = runtime::readWholeFile(runtime::nativePath(store.inProgressPath()));
                table.dimension(basic.stockCapacity);
                diary::readTradeFile(text, diary::TradeFileKind::InProgress, basic, defaults, table);
            });
            list = secondsOf([&] {
                const diary::TradeList l = diary::buildTradeList(table, basic, basic.stockCapacity, false);
                if (l.lines.empty()) std::abort();
            });
            backup = secondsOf([&] {
                runtime::makeDirectory(folder);
                for (const std::string& file : {store.inProgressPath(), basicPath, store.archivePath()}) {
                    const runtime::PathParts parts = runtime::splitPath(file);
                    runtime::copyFile(file, folder + "/" + parts.name + parts.extension, false);
                }
            });
        });
        if (table.lastIndex != records - 1 || runtime::readWholeFile(runtime::nativePath(store.inProgressPath())) != expected) {
            std::fprintf(stderr, "the trade step did not read back what it wrote\n");
            std::exit(1);
        }
        std::filesystem::remove_all(runtime::nativePath(folder));

        // The same bytes with plain calls: the in-progress file written and synced, the
        // folder synced, the file read back; the three copies read, written and synced.
        const std::string plainFolder = runtime::nativePath(backupFolder) + "P" + std::to_string(run);
        const std::string inProgress = runtime::nativePath(store.inProgressPath());
        const std::string sources[] = {inProgress, runtime::nativePath(basicPath),
                                       runtime::nativePath(store.archivePath())};
        const double reference = secondsOf([&] {
            plainWrite(inProgress, expected);
            plainSyncFolder(runtime::nativePath(tradeFolder));
            if (plainRead(inProgress).size() != expected.size()) std::abort();
            check(::mkdir(plainFolder.c_str(), 0777) == 0, "mkdir");
            for (const std::string& source : sources) {
                plainWrite(plainFolder + "/" + std::filesystem::path(source).filename().string(), plainRead(source));
                plainSyncFolder(plainFolder);
            }
        });
        std::filesystem::remove_all(plainFolder);

        keepBest(t.step, step);
        keepBest(t.reference, reference);
        keepBest(t.format, format);
        keepBest(t.store, storeWrite);
        keepBest(t.readBack, readBack);
        keepBest(t.list, list);
        keepBest(t.backup, backup);
    }
    return t;
}

// Heap in use (the allocator's arena and the blocks it maps on their own) while a table of
// `records` slots is dimensioned and filled.
std::size_t heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

std::size_t tableHeapBytes(int records) {
    const diary::BasicData basic = bench::benchBasicData(records);
    const diary::NewRecordDefaults defaults = bench::defaultsOf(basic);
    const std::size_t before = heapInUse();
    std::size_t after = 0;
    {
        diary::TradeTable table;
        table.dimension(basic.stockCapacity);
        fillTable(table, records, basic, defaults);
        after = heapInUse();
    }
    return after - before;
}

void print(const char* name, const Timings& t) {
    const auto ms = [](double s) { return s * 1000.0; };
    std::printf("%-22s step %8.2f ms  plain calls %8.2f ms  ratio %5.2f  (aim <= 5)  in-progress file %zu bytes\n",
                name, ms(t.step), ms(t.reference), t.step / t.reference, t.inProgressBytes);
    std::printf("%-22s   format %.2f, store write %.2f, read back %.2f, list %.2f, backup %.2f ms (best of each)\n",
                "", ms(t.format), ms(t.store), ms(t.readBack), ms(t.list), ms(t.backup));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 15;
    std::string base = std::filesystem::temp_directory_path().string();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) base = argv[++i];
        else {
            std::fprintf(stderr, "usage: trade_step_bench [--runs N] [--dir DIR]\n");
            return 2;
        }
    }
    std::string root = base + "/trade_step_bench_XXXXXX";
    if (::mkdtemp(root.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const Timings large = measure(1000, runs, root);
    const Timings small = measure(10, runs * 3, root);
    std::filesystem::remove_all(root);

    print("1000 open records", large);
    print("10 open records", small);
    const double mib = static_cast<double>(tableHeapBytes(1000)) / (1024.0 * 1024.0);
    std::printf("table of 1000 records   heap %.2f MiB  (aim <= 20 MiB), %zu bytes a record slot\n", mib,
                sizeof(diary::TradeRecord));
    return 0;
}
