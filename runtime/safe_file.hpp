#pragma once
// Rewriting a file without ever losing it: the new contents go to a temporary file in the
// same folder, which is flushed to disk and then renamed over the target. Until commit()
// the old file stays whole; a writer that is destroyed (or killed) before commit() leaves
// the old file as it was and removes its temporary file when it can.

#include <string>
#include <string_view>

namespace runtime {

class SafeFileWriter {
public:
    // `path` is a native (UTF-8) path. Creating the temporary file failing raises the
    // error of the system failure (75 access, 53 no such folder, ...).
    explicit SafeFileWriter(const std::string& nativePath);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void write(std::string_view bytes);
    // Flushes, syncs and renames the temporary file over the target.
    void commit();
    // Drops the new contents; the target keeps its old contents.
    void discard();
    bool isOpen() const { return fd_ >= 0; }

private:
    std::string path_;
    std::string tempPath_;
    int fd_ = -1;
};

// Writes all of `bytes` to an open file descriptor; a failure raises the error of the
// system's failure (56 disk full, 75 access, ...).
void writeAll(int fd, std::string_view bytes);

// Writes `bytes` as the whole new contents of the file at `nativePath`, safely.
void writeFileSafely(const std::string& nativePath, std::string_view bytes);

// Reads the whole file at `nativePath`; error 63 when it does not exist, 75 when it
// cannot be read.
std::string readWholeFile(const std::string& nativePath);

}  // namespace runtime
