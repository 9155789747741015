// Directory listing channels: a listing is read once, when it is opened, and then stepped
// through entry by entry.
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/cp932.hpp"
#include "platform/cp932_bytes.hpp"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"

namespace runtime {

namespace {

constexpr int kChannels = 16;
constexpr std::size_t kMaxPatternBytes = 260;

struct Entry {
    std::string name;  // CP932
    bool isDirectory = false;
    bool readOnly = false;
    bool regular = false;
    long long size = 0;
    std::time_t modified = 0;
};

struct Listing {
    bool open = false;
    std::vector<Entry> entries;
    // 0: before the first step; k: entries[k - 1] is current; entries.size() + 1: at the end.
    std::size_t step = 0;
};

std::array<Listing, kChannels> listings;

Listing& listingOf(int channel) {
    if (channel < 1 || channel > kChannels) raiseError(err::BadChannelNumber);
    return listings[static_cast<std::size_t>(channel - 1)];
}

Listing& openListing(int channel) {
    Listing& l = listingOf(channel);
    if (!l.open) raiseError(err::ChannelNotOpen);
    return l;
}

const Entry& currentEntry(int channel) {
    const Listing& l = openListing(channel);
    if (l.step == 0 || l.step > l.entries.size()) raiseError(err::PastEnd);
    return l.entries[l.step - 1];
}

std::vector<Entry> readFolder(const std::string& folder, std::string_view namePattern) {
    std::vector<Entry> entries;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        // A folder that is not there lists like a search that found nothing.
        if (errno == ENOENT || errno == ENOTDIR) return entries;
        raiseError(errorFromErrno(errno));
    }
    const std::string prefix = folder.back() == '/' ? folder : folder + "/";
    while (const dirent* d = ::readdir(dir.get())) {
        const std::string_view native = d->d_name;
        if (native == "." || native == "..") continue;
        // A name CP932 cannot hold is left out. Its CP932 form would have a "?" in place of
        // each such character: the name of no entry, and a wildcard to the existence tests
        // (error 55), so a program could neither open the entry nor test for it.
        std::optional<std::string> name = platform::utf8ToCp932Exact(native);
        if (!name || !platform::matchesPattern(*name, namePattern)) continue;
        Entry e;
        e.name = std::move(*name);
        struct stat st {};
        const std::string full = prefix + std::string(native);
        // A link to nothing still shows, as the link itself; an entry that vanished does not.
        if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0) continue;
        e.isDirectory = S_ISDIR(st.st_mode);
        e.regular = S_ISREG(st.st_mode);
        e.readOnly = (st.st_mode & S_IWUSR) == 0;
        e.size = e.isDirectory ? 0 : static_cast<long long>(st.st_size);
        e.modified = st.st_mtime;
        entries.push_back(std::move(e));
    }
    // Name order as the listing shows it: ASCII letters without regard to case, then bytes.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int c = platform::compareIgnoringCase(a.name, b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    return entries;
}

std::tm localTimeOf(std::time_t t) {
    std::tm tm {};
    ::localtime_r(&t, &tm);
    return tm;
}

}  // namespace

std::vector<FolderEntry> listFolder(std::string_view pattern) {
    const PathParts parts = splitPath(pattern);
    const std::string folder = parts.directory.empty() ? "." : nativePath(parts.directory);
    std::string_view names = pattern.substr(parts.directory.size());
    if (names.empty()) names = "*";
    std::vector<FolderEntry> out;
    for (Entry& e : readFolder(folder, names)) out.push_back(FolderEntry{std::move(e.name), e.isDirectory, e.regular});
    return out;
}

void dirOpen(int channel, std::string_view pattern) {
    Listing& l = listingOf(channel);
    if (l.open) raiseError(err::ChannelAlreadyOpen);
    if (pattern.size() > kMaxPatternBytes) raiseError(err::IllegalArgument);
    const PathParts parts = splitPath(pattern);
    const std::string folder = parts.directory.empty() ? "." : nativePath(parts.directory);
    l.entries = readFolder(folder, std::string_view(pattern).substr(parts.directory.size()));
    l.step = 0;
    l.open = true;
}

void dirNext(int channel) {
    Listing& l = openListing(channel);
    if (l.step > l.entries.size()) raiseError(err::PastEnd);
    ++l.step;
}

bool dirAtEnd(int channel) {
    const Listing& l = openListing(channel);
    return l.step > l.entries.size();
}

void dirClose(int channel) {
    Listing& l = openListing(channel);
    l = Listing{};
}

std::string dirName(int channel) { return currentEntry(channel).name; }

std::string dirSize(int channel) { return std::to_string(currentEntry(channel).size); }

std::string dirDate(int channel) {
    const std::tm tm = localTimeOf(currentEntry(channel).modified);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    return buf;
}

std::string dirTime(int channel) {
    const std::tm tm = localTimeOf(currentEntry(channel).modified);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

std::string dirAttributes(int channel) {
    const Entry& e = currentEntry(channel);
    std::string a = "---";
    if (e.isDirectory) a[0] = 'D';
    if (e.readOnly) a[1] = 'R';
    if (e.regular) a[2] = 'A';
    return a;
}

}  // namespace runtime
