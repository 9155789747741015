#pragma once
// Whole files in memory for the conversions, without the zero-filling and the page-by-page
// faults of a plain buffer: a 45 MB BMP is read into memory taken in large pages, and a
// file only this process writes (the 24-bit temporary copy) is mapped, not copied.
// Errors are those of runtime::readWholeFile: 63 when the file does not exist, 75 when it
// cannot be read, else the system's failure.

#include <cstddef>
#include <cstdint>
#include <string>

namespace imaging {

class FileBytes {
public:
    // A copy of the file's bytes, read with read(): a file that changes meanwhile gives
    // whatever bytes were read, never a fault.
    static FileBytes read(const std::string& nativePath);
    // The file mapped read-only. Only for files no other process truncates while they are
    // mapped (that would fault on access): the conversion's own temporary files.
    static FileBytes map(const std::string& nativePath);

    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&&) = delete;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    FileBytes() = default;

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;  // bytes to unmap
};

// The first `count` bytes of the file (fewer when it is shorter); the same errors.
std::string readFileStart(const std::string& nativePath, std::size_t count);

}  // namespace imaging
