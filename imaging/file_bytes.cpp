#include "imaging/file_bytes.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "runtime/error.hpp"

namespace imaging {

namespace {

// Opens for reading and gives the size: error 63 when the file does not exist, 75 for a
// folder.
int openForReading(const std::string& nativePath, std::size_t& size) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) runtime::raiseError(errno == ENOENT ? runtime::err::FileNotFound : runtime::errorFromErrno(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        runtime::raiseError(runtime::err::FileAccessFailed);
    }
    size = static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0);
    return fd;
}

// A descriptor closed when it goes.
struct Descriptor {
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor() { ::close(fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

// Reads up to `count` bytes at `out` from `offset`; the number read (short only at the
// end of the file).
std::size_t readAt(int fd, std::size_t offset, std::uint8_t* out, std::size_t count) {
    std::size_t used = 0;
    while (used < count) {
        const ssize_t n = ::pread(fd, out + used, count - used, static_cast<off_t>(offset + used));
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

FileBytes FileBytes::open(const std::string& nativePath) {
    FileBytes bytes;
    bytes.fd_ = openForReading(nativePath, bytes.size_);
    if (bytes.size_ == 0) return bytes;
    // Anonymous memory comes zeroed from the system as it is touched; large pages make
    // that a few dozen faults instead of one per 4 KB page.
    void* memory = ::mmap(nullptr, bytes.size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) runtime::raiseError(runtime::err::OutOfMemory);
    ::madvise(memory, bytes.size_, MADV_HUGEPAGE);
    bytes.data_ = static_cast<std::uint8_t*>(memory);
    bytes.mapped_ = bytes.size_;
    return bytes;
}

void FileBytes::readUpTo(std::size_t count) {
    count = std::min(count, size_);
    if (fd_ < 0 || count <= read_) return;
    const std::size_t got = readAt(fd_, read_, data_ + read_, count - read_);
    read_ += got;
    // A file that shrank since it was opened ends where its bytes ended; one that grew is
    // read to the size it had.
    if (read_ < count) size_ = read_;
}

void FileBytes::stream(std::size_t offset, std::size_t count,
                       const std::function<void(std::string_view)>& sink) const {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    const std::unique_ptr<std::uint8_t[]> piece(new std::uint8_t[std::min(count, kPiece)]);
    while (count > 0) {
        const std::size_t want = std::min(count, kPiece);
        if (fd_ < 0 || readAt(fd_, offset, piece.get(), want) != want) {
            runtime::raiseError(runtime::err::ImageNotConvertible);
        }
        sink(std::string_view(reinterpret_cast<const char*>(piece.get()), want));
        offset += want;
        count -= want;
    }
}

FileBytes FileBytes::map(const std::string& nativePath) {
    FileBytes bytes;
    const int fd = openForReading(nativePath, bytes.size_);
    if (bytes.size_ == 0) {
        ::close(fd);
        return bytes;
    }
    void* memory = ::mmap(nullptr, bytes.size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    const int mapError = errno;
    ::close(fd);
    if (memory == MAP_FAILED) runtime::raiseError(runtime::errorFromErrno(mapError));
    bytes.data_ = static_cast<std::uint8_t*>(memory);
    bytes.read_ = bytes.mapped_ = bytes.size_;
    return bytes;
}

FileBytes::FileBytes(FileBytes&& other) noexcept
    : fd_(other.fd_), data_(other.data_), size_(other.size_), read_(other.read_), mapped_(other.mapped_) {
    other.fd_ = -1;
    other.data_ = nullptr;
    other.size_ = other.read_ = other.mapped_ = 0;
}

FileBytes::~FileBytes() {
    if (mapped_ != 0) ::munmap(data_, mapped_);
    if (fd_ >= 0) ::close(fd_);
}

std::string readFileStart(const std::string& nativePath, std::size_t count) {
    std::size_t size = 0;
    // Without the file-sized buffer of FileBytes::open: a header check reads a few bytes.
    const Descriptor file(openForReading(nativePath, size));
    std::string out(count, '\0');
    out.resize(readAt(file.fd, 0, reinterpret_cast<std::uint8_t*>(out.data()), count));
    return out;
}

}  // namespace imaging
