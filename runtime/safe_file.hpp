#pragma once
// Rewriting a file without ever losing it: the new contents go to a temporary file in the
// target's folder, which is synced to disk and then renamed over the target, and the
// folder is synced so that the rename survives a power loss. Until commit() the old file
// stays whole; a writer that is destroyed (or killed) before commit() leaves the old file
// as it was and removes its temporary file when it can.
//
// A target that is a symbolic link is written through: the temporary file goes beside
// the file the link points to (through chains of links, relative link texts, and a link
// whose file does not exist yet) and replaces that file; the link stays a link. The new
// file gets the permissions of the one it replaces, or the usual ones for a new file.
//
// Every failure raises the error of the system's failure (56 disk full, 75 access, ...)
// and leaves the old file whole with no temporary file beside it; a writer that failed
// raises the same error again at every later write() and commit() and never replaces
// the target.

#include <string>
#include <string_view>

namespace runtime {

class SafeFileWriter {
public:
    // `nativePath` is a native (UTF-8) path. Creating the temporary file failing raises
    // the error of the system failure (75 access, 53 no such folder, ...).
    explicit SafeFileWriter(const std::string& nativePath);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void write(std::string_view bytes);
    // Syncs the temporary file, renames it over the target and syncs the folder. Once the
    // rename is done the new file is in place even when the folder's sync then fails;
    // that failure is raised all the same, since the rename may not survive a power loss.
    void commit();
    // Drops the new contents; the target keeps its old contents.
    void discard();
    bool isOpen() const { return fd_ >= 0; }

private:
    // Drops the temporary file and keeps the error of `errnoValue` for later calls.
    [[noreturn]] void fail(int errnoValue);
    void removeTemporaryFile();

    std::string targetPath_;  // the file the rename replaces: the path with its links followed
    std::string tempPath_;    // empty once the temporary file is renamed or removed
    int fd_ = -1;
    int failure_ = 0;  // the error a failed write or commit raised
};

// Writes all of `bytes` to an open file descriptor; a failure raises the error of the
// system's failure (56 disk full, 75 access, ...).
void writeAll(int fd, std::string_view bytes);

// Makes the entries of a folder (a rename, a created file) durable. A folder that cannot
// be opened for reading (write and search permission only) or a file system that cannot
// sync folders is left to the system; any other failure raises its error.
void syncFolder(const std::string& nativeFolder);

// Writes `bytes` as the whole new contents of the file at `nativePath`, safely.
void writeFileSafely(const std::string& nativePath, std::string_view bytes);

// Reads the whole file at `nativePath`; error 63 when it does not exist, 75 when it
// cannot be read.
std::string readWholeFile(const std::string& nativePath);

// The last `count` bytes of the file at `nativePath` (all of it when it is shorter); the
// same errors as readWholeFile.
std::string readFileEnd(const std::string& nativePath, std::size_t count);

}  // namespace runtime
