#include "runtime/safe_file.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "runtime/error.hpp"
#include "runtime/link_target.hpp"
#include "runtime/system_calls.hpp"

namespace runtime {

namespace {

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A missing entry while creating or renaming can only be a missing folder.
int errorOf(int e) { return e == ENOENT ? err::PathNotFound : errorFromErrno(e); }

// Writes all of `bytes`; 0 when done, else the errno of the failing write.
int writeAllOrErrno(int fd, std::string_view bytes) {
    const SystemCalls& sys = systemCalls();
    while (!bytes.empty()) {
        const ssize_t n = sys.write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

}  // namespace

void writeAll(int fd, std::string_view bytes) {
    if (const int e = writeAllOrErrno(fd, bytes)) raiseError(errorFromErrno(e));
}

void syncFolder(const std::string& nativeFolder) {
    const SystemCalls& sys = systemCalls();
    const int dir = sys.open(nativeFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir < 0) return;
    const int synced = sys.fsync(dir);
    const int e = errno;
    sys.close(dir);
    if (synced != 0 && e != EINVAL) raiseError(errorFromErrno(e));
}

SafeFileWriter::SafeFileWriter(const std::string& nativePath) {
    const LinkTarget target = resolveLinks(nativePath);
    targetPath_ = target.path;
    std::string pattern = folderOf(targetPath_) + "/." + baseNameOf(targetPath_) + ".tmp-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    fd_ = ::mkostemp(buf.data(), O_CLOEXEC);
    if (fd_ < 0) raiseError(errorOf(errno));
    tempPath_.assign(buf.data());
    // The new file gets the permissions of the one it replaces, or the usual ones. A file
    // system without permissions (a FAT stick) refuses fchmod; the file is written all
    // the same.
    struct stat st {};
    mode_t mode = 0666;
    if (target.exists && ::stat(targetPath_.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd_, mode);
}

SafeFileWriter::~SafeFileWriter() { discard(); }

void SafeFileWriter::write(std::string_view bytes) {
    if (failure_ != 0) raiseError(failure_);
    if (fd_ < 0) raiseError(err::ChannelNotOpen);
    if (const int e = writeAllOrErrno(fd_, bytes)) fail(e);
}

void SafeFileWriter::commit() {
    if (failure_ != 0) raiseError(failure_);
    if (fd_ < 0) raiseError(err::ChannelNotOpen);
    const SystemCalls& sys = systemCalls();
    // The descriptor is given up whatever fsync and close say: a failed close has
    // released it all the same, and closing it again could close someone else's file.
    const int fd = std::exchange(fd_, -1);
    if (sys.fsync(fd) != 0) {
        const int e = errno;
        sys.close(fd);
        fail(e);
    }
    if (sys.close(fd) != 0) fail(errno);
    if (sys.rename(tempPath_.c_str(), targetPath_.c_str()) != 0) fail(errno);
    tempPath_.clear();
    try {
        syncFolder(folderOf(targetPath_));
    } catch (const RuntimeError& e) {
        failure_ = e.number();
        throw;
    }
}

void SafeFileWriter::discard() {
    if (fd_ >= 0) systemCalls().close(std::exchange(fd_, -1));
    removeTemporaryFile();
}

void SafeFileWriter::fail(int errnoValue) {
    failure_ = errorOf(errnoValue);
    if (fd_ >= 0) systemCalls().close(std::exchange(fd_, -1));
    removeTemporaryFile();
    raiseError(failure_);
}

void SafeFileWriter::removeTemporaryFile() {
    if (tempPath_.empty()) return;
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

void writeFileSafely(const std::string& nativePath, std::string_view bytes) {
    SafeFileWriter w(nativePath);
    w.write(bytes);
    w.commit();
}

namespace {

// A file opened for reading, with its size: error 63 when it does not exist, 75 for a
// folder. Closed when it goes.
class ReadFile {
public:
    explicit ReadFile(const std::string& nativePath) : fd_(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0) raiseError(errno == ENOENT ? err::FileNotFound : errorFromErrno(errno));
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
            ::close(fd_);
            raiseError(err::FileAccessFailed);
        }
        size_ = static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0);
    }
    ~ReadFile() { ::close(fd_); }
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;
    int fd() const { return fd_; }
    std::size_t size() const { return size_; }

private:
    int fd_;
    std::size_t size_ = 0;
};

}  // namespace

std::string readWholeFile(const std::string& nativePath) {
    const ReadFile file(nativePath);
    const int fd = file.fd();
    // Read straight into a buffer of the file's size (a file that grows meanwhile is
    // read to its end all the same).
    std::string out(file.size(), '\0');
    std::size_t used = 0;
    char more[65536];
    for (;;) {
        // Past the size fstat gave, read into a side buffer: growing `out` for a read
        // that finds the end would copy the whole file once more.
        const bool full = used == out.size();
        const ssize_t n = full ? ::read(fd, more, sizeof more) : ::read(fd, out.data() + used, out.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            raiseError(errorFromErrno(errno));
        }
        if (n == 0) break;
        if (full) out.append(more, static_cast<std::size_t>(n));
        used += static_cast<std::size_t>(n);
    }
    out.resize(used);
    return out;
}

std::string readFileEnd(const std::string& nativePath, std::size_t count) {
    const ReadFile file(nativePath);
    const std::size_t start = file.size() > count ? file.size() - count : 0;
    std::string out(file.size() - start, '\0');
    std::size_t used = 0;
    while (used < out.size()) {
        const ssize_t n = ::pread(file.fd(), out.data() + used, out.size() - used, static_cast<off_t>(start + used));
        if (n < 0) {
            if (errno == EINTR) continue;
            raiseError(errorFromErrno(errno));
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    out.resize(used);
    return out;
}

}  // namespace runtime
