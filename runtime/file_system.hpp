#pragma once
// The file-system operations the programs carry, over runtime (CP932) path strings.
// Errors are run-time errors: 5 (path too long), 7 (no memory), 50/52/54/55/57 (listing
// channels and wildcards) and the errors that correspond to the system's failure
// (errorFromErrno). File-name patterns match as platform::matchesPattern says: without
// regard to the case of ASCII letters.

#include <string>
#include <string_view>
#include <vector>

namespace runtime {

// The native (UTF-8) name of a runtime path.
std::string nativePath(std::string_view path);

// True when an entry of that name exists and is not a directory. "*" or "?" in the path
// is error 55.
bool fileExists(std::string_view path);
// True when the entry exists and is a directory; same errors.
bool directoryExists(std::string_view path);
// Copies a file; with failIfExists an existing destination is an error (58).
void copyFile(std::string_view source, std::string_view destination, bool failIfExists);
// Creates one directory; a path over 260 bytes is error 5, a missing parent folder 53.
void makeDirectory(std::string_view path);
void deleteFile(std::string_view path);
// Syncs the folder that holds `path`, so that a file created, renamed or deleted there
// stays so after a power loss.
void syncFolderOf(std::string_view path);
// The size of a file in bytes; a missing file is error 63.
long long fileLength(std::string_view path);
// Cuts a file back to its first `length` bytes and syncs it to disk.
void truncateFile(std::string_view path, long long length);
// Renames a file; an existing destination is error 58 (it is never replaced).
void renameFile(std::string_view from, std::string_view to);

struct PathParts {
    std::string drive;      // always empty on this system
    std::string directory;  // up to and including the last "/"
    std::string name;       // the file part before its extension
    std::string extension;  // from the last "." of the file part, "." included
};
PathParts splitPath(std::string_view path);

// The entries a pattern names (a folder part up to the last "/", none: the current folder,
// and a name pattern; an empty name pattern matches every name), in the listing's order,
// without "." and "..": names in CP932, whether each is a folder or a regular file. A
// folder that does not exist gives none. An entry whose name CP932 cannot hold exactly
// (a character outside CP932, bytes that are not UTF-8) is left out: no CP932 path names it.
struct FolderEntry {
    std::string name;
    bool isDirectory = false;
    bool regular = false;
};
std::vector<FolderEntry> listFolder(std::string_view pattern);

// Directory listing on channels 1..16. open: pattern over 260 bytes is error 5, a channel
// outside 1..16 error 50 (for every call), an open channel error 52. next: the first step
// finds the first entry; an unopened channel is error 57, a step after the end error 54.
// The pattern is a folder part (up to the last "/"; none means the current folder) and a
// name pattern; a folder that does not exist lists nothing, like a search without match.
// Entries are read when the listing opens and listed in name order (ASCII letters without
// regard to case), without "." and ".." and without names CP932 cannot hold, as above.
// Reading the entry (name, size, date, time, attributes) when none is current, before the
// first step or at the end, is error 54; on an unopened channel 57.
void dirOpen(int channel, std::string_view pattern);
void dirNext(int channel);
bool dirAtEnd(int channel);
void dirClose(int channel);
std::string dirName(int channel);
// Size in bytes as text; "0" for a directory.
std::string dirSize(int channel);
// "YYYY/MM/DD" and "hh:mm:ss" of the entry's modification time, local time.
std::string dirDate(int channel);
std::string dirTime(int channel);
// "DRA" with "-" for each attribute not set: directory, read-only, archive (a regular
// file counts as archive).
std::string dirAttributes(int channel);

}  // namespace runtime
