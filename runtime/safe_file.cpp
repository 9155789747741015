#include "runtime/safe_file.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "runtime/error.hpp"

namespace runtime {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void raiseErrno(int e) {
    raiseError(e == ENOENT ? err::PathNotFound : errorFromErrno(e));
}

}  // namespace

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            raiseError(errorFromErrno(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

SafeFileWriter::SafeFileWriter(const std::string& nativePath) : path_(nativePath) {
    std::string pattern = folderOf(path_) + "/." + baseNameOf(path_) + ".tmp-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    fd_ = ::mkstemp(buf.data());
    if (fd_ < 0) raiseErrno(errno);
    tempPath_.assign(buf.data());
    // The new file gets the permissions of the one it replaces, or the usual ones.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(path_.c_str(), &st) == 0) {
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
    if (fd_ < 0) raiseError(err::ChannelNotOpen);
    writeAll(fd_, bytes);
}

void SafeFileWriter::commit() {
    if (fd_ < 0) raiseError(err::ChannelNotOpen);
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        const int e = errno;
        fd_ = -1;
        ::unlink(tempPath_.c_str());
        raiseError(errorFromErrno(e));
    }
    fd_ = -1;
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const int e = errno;
        ::unlink(tempPath_.c_str());
        raiseError(errorFromErrno(e));
    }
    // Make the rename itself durable.
    const int dir = ::open(folderOf(path_).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void SafeFileWriter::discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(tempPath_.c_str());
}

void writeFileSafely(const std::string& nativePath, std::string_view bytes) {
    SafeFileWriter w(nativePath);
    w.write(bytes);
    w.commit();
}

std::string readWholeFile(const std::string& nativePath) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) raiseError(errno == ENOENT ? err::FileNotFound : errorFromErrno(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        raiseError(err::FileAccessFailed);
    }
    // Read straight into a buffer of the file's size (a file that grows meanwhile is
    // read to its end all the same).
    std::string out(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0), '\0');
    std::size_t used = 0;
    char more[65536];
    for (;;) {
        // Past the size fstat gave, read into a side buffer: growing `out` for a read
        // that finds the end would copy the whole file once more.
        const bool full = used == out.size();
        const ssize_t n = full ? ::read(fd, more, sizeof more) : ::read(fd, out.data() + used, out.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            raiseError(errorFromErrno(e));
        }
        if (n == 0) break;
        if (full) out.append(more, static_cast<std::size_t>(n));
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(used);
    return out;
}

}  // namespace runtime
