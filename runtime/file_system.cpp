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

}  // namespace runtime
