#include "imaging/file_bytes.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/error.hpp"

namespace imaging {

namespace {

// A file opened for reading and its size, closed when it goes.
class OpenFile {
public:
    explicit OpenFile(const std::string& nativePath) : fd_(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0) runtime::raiseError(errno == ENOENT ? runtime::err::FileNotFound : runtime::errorFromErrno(errno));
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
            ::close(fd_);
            runtime::raiseError(runtime::err::FileAccessFailed);
        }
        size_ = static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0);
    }
    ~OpenFile() { ::close(fd_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }
    std::size_t size() const { return size_; }

private:
    int fd_;
    std::size_t size_ = 0;
};

// Reads up to `count` bytes at `out`; the number read (short only at the end of the file).
std::size_t readUpTo(int fd, std::uint8_t* out, std::size_t count) {
    std::size_t used = 0;
    while (used < count) {
        const ssize_t n = ::read(fd, out + used, count - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            runtime::raiseError(runtime::errorFromErrno(errno));
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    return used;
}

}  // namespace

FileBytes FileBytes::read(const std::string& nativePath) {
    const OpenFile file(nativePath);
    FileBytes bytes;
    if (file.size() == 0) return bytes;
    // Anonymous memory comes zeroed from the system; large pages make that a few dozen
    // faults instead of one per 4 KB page.
    void* memory = ::mmap(nullptr, file.size(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) runtime::raiseError(runtime::err::OutOfMemory);
    ::madvise(memory, file.size(), MADV_HUGEPAGE);
    bytes.data_ = static_cast<std::uint8_t*>(memory);
    bytes.mapped_ = file.size();
    // A file that shrank meanwhile gives the bytes it still had; one that grew is read to
    // the size fstat gave.
    bytes.size_ = readUpTo(file.fd(), bytes.data_, file.size());
    return bytes;
}

FileBytes FileBytes::map(const std::string& nativePath) {
    const OpenFile file(nativePath);
    FileBytes bytes;
    if (file.size() == 0) return bytes;
    void* memory = ::mmap(nullptr, file.size(), PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.fd(), 0);
    if (memory == MAP_FAILED) runtime::raiseError(runtime::errorFromErrno(errno));
    bytes.data_ = static_cast<std::uint8_t*>(memory);
    bytes.size_ = bytes.mapped_ = file.size();
    return bytes;
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : data_(other.data_), size_(other.size_), mapped_(other.mapped_) {
    other.data_ = nullptr;
    other.size_ = other.mapped_ = 0;
}

FileBytes::~FileBytes() {
    if (mapped_ != 0) ::munmap(data_, mapped_);
}

std::string readFileStart(const std::string& nativePath, std::size_t count) {
    const OpenFile file(nativePath);
    std::string out(count, '\0');
    out.resize(readUpTo(file.fd(), reinterpret_cast<std::uint8_t*>(out.data()), count));
    return out;
}

}  // namespace imaging
