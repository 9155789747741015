#include "runtime/file_system.hpp"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/error.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

namespace runtime {

namespace {

constexpr std::size_t kMaxPathBytes = 260;

void checkNoWildcards(std::string_view path) {
    if (path.find_first_of("*?") != std::string_view::npos) raiseError(err::BadFileName);
}

bool statPath(std::string_view path, struct stat& st) {
    checkNoWildcards(path);
    return ::stat(nativePath(path).c_str(), &st) == 0;
}

// Creating something whose folder is missing is a missing path, as SafeFileWriter says.
[[noreturn]] void raiseCreateError(int e) {
    raiseError(e == ENOENT ? err::PathNotFound : errorFromErrno(e));
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Byte length of the character at `pos`, a two-byte CP932 character counting as one.
std::size_t charLengthAt(std::string_view s, std::size_t pos) {
    return isLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

char foldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameChar(std::string_view a, std::size_t ap, std::size_t al, std::string_view b,
              std::size_t bp, std::size_t bl) {
    if (al != bl) return false;
    if (al == 1) return foldCase(a[ap]) == foldCase(b[bp]);
    // Trail bytes may look like ASCII letters; two-byte characters compare exactly.
    return a.substr(ap, al) == b.substr(bp, bl);
}

}  // namespace

std::string nativePath(std::string_view path) { return toUtf8(path); }

bool fileExists(std::string_view path) {
    struct stat st {};
    return statPath(path, st) && !S_ISDIR(st.st_mode);
}

bool directoryExists(std::string_view path) {
    struct stat st {};
    return statPath(path, st) && S_ISDIR(st.st_mode);
}

void copyFile(std::string_view source, std::string_view destination, bool failIfExists) {
    const std::string from = nativePath(source);
    const std::string to = nativePath(destination);
    struct stat st {};
    if (failIfExists && ::lstat(to.c_str(), &st) == 0) raiseError(err::FileAlreadyExists);

    const Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) raiseError(errorFromErrno(errno));
    // The copy replaces the destination only once it is complete.
    SafeFileWriter out(to);
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            raiseError(errorFromErrno(errno));
        }
        if (n == 0) break;
        out.write(std::string_view(buf, static_cast<std::size_t>(n)));
    }
    out.commit();
}

void makeDirectory(std::string_view path) {
    if (path.size() > kMaxPathBytes) raiseError(err::IllegalArgument);
    if (::mkdir(nativePath(path).c_str(), 0777) != 0) raiseCreateError(errno);
}

void deleteFile(std::string_view path) {
    if (::unlink(nativePath(path).c_str()) != 0) raiseError(errorFromErrno(errno));
}

void syncFolderOf(std::string_view path) {
    std::string folder = nativePath(splitPath(path).directory);
    if (folder.empty()) folder = ".";
    const Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0) raiseError(errorFromErrno(errno));
}

long long fileLength(std::string_view path) {
    struct stat st {};
    if (::stat(nativePath(path).c_str(), &st) != 0) raiseError(errno == ENOENT ? err::FileNotFound : errorFromErrno(errno));
    return static_cast<long long>(st.st_size);
}

void truncateFile(std::string_view path, long long length) {
    const Fd fd(::open(nativePath(path).c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0) raiseError(errno == ENOENT ? err::FileNotFound : errorFromErrno(errno));
    if (::ftruncate(fd.get(), static_cast<off_t>(length)) != 0 || ::fsync(fd.get()) != 0) raiseError(errorFromErrno(errno));
}

void renameFile(std::string_view from, std::string_view to) {
    const std::string oldName = nativePath(from);
    const std::string newName = nativePath(to);
    if (::renameat2(AT_FDCWD, oldName.c_str(), AT_FDCWD, newName.c_str(), RENAME_NOREPLACE) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS) raiseError(errorFromErrno(errno));
    // The file system cannot refuse to replace by itself: check, then rename.
    struct stat st {};
    if (::lstat(newName.c_str(), &st) == 0) raiseError(err::FileAlreadyExists);
    if (::rename(oldName.c_str(), newName.c_str()) != 0) raiseError(errorFromErrno(errno));
}

PathParts splitPath(std::string_view path) {
    PathParts parts;
    const auto slash = path.rfind('/');
    const std::size_t fileStart = slash == std::string_view::npos ? 0 : slash + 1;
    parts.directory.assign(path.substr(0, fileStart));
    const std::string_view file = path.substr(fileStart);
    const auto dot = file.rfind('.');
    parts.name.assign(file.substr(0, dot));
    if (dot != std::string_view::npos) parts.extension.assign(file.substr(dot));
    return parts;
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
    // "*.*" means every entry, names without an extension included, as the file search
    // the programs were written for treats it.
    if (pattern == "*.*") return true;
    constexpr auto none = std::string_view::npos;
    std::size_t n = 0, p = 0;
    // Where the last "*" was seen, and the name position it currently stands for.
    std::size_t starP = none, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size()) {
            if (pattern[p] == '*') {
                starP = ++p;
                starN = n;
                continue;
            }
            const std::size_t nl = charLengthAt(name, n);
            if (pattern[p] == '?') {
                ++p;
                n += nl;
                continue;
            }
            const std::size_t pl = charLengthAt(pattern, p);
            if (sameChar(name, n, nl, pattern, p, pl)) {
                p += pl;
                n += nl;
                continue;
            }
        }
        if (starP == none) return false;
        // Let the last "*" take one more character and try again from there.
        starN += charLengthAt(name, starN);
        n = starN;
        p = starP;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace runtime
