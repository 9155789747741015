#pragma once
// Files in memory for the conversions, without the zero-filling and the page-by-page
// faults of a plain buffer: a 45 MB BMP is read into memory the system hands out zeroed
// as it is filled (in large pages), as far as it is needed; a file only this process
// writes (the 24-bit temporary copy) is mapped, not copied. Errors are those of runtime::readWholeFile: 63
// when the file does not exist, 75 when it cannot be read, else the system's failure.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace imaging {

class FileBytes {
public:
    // The file opened, with a buffer of its size of which nothing is read yet: bytes not
    // read are zero and take no memory. Reads use read(), so a file that changes
    // meanwhile gives whatever bytes were read, never a fault.
    static FileBytes open(const std::string& nativePath);
    // The file mapped read-only. Only for files no other process truncates while they are
    // mapped (that would fault on access): the conversion's own temporary files.
    static FileBytes map(const std::string& nativePath);

    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&&) = delete;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    // Reads on until the first `count` bytes (or all of them) are in the buffer. A file
    // found shorter than its size at opening ends the buffer where it ended.
    void readUpTo(std::size_t count);
    void readAll() { readUpTo(size_); }

    // Bytes offset .. offset + count of the file, read again from the file in pieces of a
    // small buffer and handed to `sink` (for data that need not stay in memory). A file
    // that ends before them raises error 71: it changed during the conversion.
    void stream(std::size_t offset, std::size_t count, const std::function<void(std::string_view)>& sink) const;

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    FileBytes() = default;

    int fd_ = -1;             // open while more can be read
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t read_ = 0;    // bytes of the buffer filled from the file
    std::size_t mapped_ = 0;  // bytes to unmap
};

// The first `count` bytes of the file (fewer when it is shorter); the same errors.
std::string readFileStart(const std::string& nativePath, std::size_t count);

}  // namespace imaging
