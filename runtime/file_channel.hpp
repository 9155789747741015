#pragma once
// File channels: a text file opened for input, output or append. Paths are runtime
// (CP932) strings, converted to the native name at the file-system boundary.
//  * Input reads the whole file and serves fields and lines (FieldReader rules).
//    A missing file is error 63.
//  * Output creates or empties the file, but safely: the text goes to a temporary file
//    that replaces the target only at close(), so the old file stays whole until then.
//    A channel destroyed without close() leaves the old file untouched.
//  * Append adds to the end of the file (created when missing); what is there is kept.
//    close() syncs what was added to disk (and the folder, when the file was created)
//    before it returns, so that a step that relies on the append (the archive before the
//    in-progress file is replaced) can rely on it surviving a power loss. A symbolic
//    link is appended through to the file it points to.
// A print whose write fails (56 disk full, ...) raises that error and takes back what the
// channel wrote: an output channel drops its temporary file, an append channel cuts the
// file back to the length it had when it was opened, so the file never ends in part of
// a record. Such a channel raises the same error again at every later print and at
// close(), which still closes it. A sync that fails at close raises its error and takes
// back the same way: an output channel keeps the old file, an append channel cuts back.
// (A close that fails after the append's sync leaves what was added: it is on disk.)
// Writing to an input channel or reading from an output one (eof() included) is error 51;
// reading past the end is error 54; using a closed channel is error 57. Closing a closed
// channel does nothing. A missing folder is error 53 for output and append.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

#include "runtime/field_reader.hpp"
#include "runtime/safe_file.hpp"

namespace runtime {

enum class FileMode { Input, Output, Append };

class FileChannel {
public:
    FileChannel(std::string_view path, FileMode mode);
    ~FileChannel();
    FileChannel(const FileChannel&) = delete;
    FileChannel& operator=(const FileChannel&) = delete;

    bool eof() const;
    std::string inputField();
    std::string lineInput();

    // Writes the text as it is.
    void print(std::string_view text);
    // Writes the text followed by CR LF: the end of one output statement.
    void printLine(std::string_view text = {});

    // Closes the channel; for output, this is when the new file replaces the old one.
    void close();
    bool isOpen() const { return open_; }

private:
    FileMode mode_;
    bool open_ = false;
    std::string contents_;                 // input: the whole file
    std::optional<FieldReader> reader_;    // input: reads contents_
    std::unique_ptr<SafeFileWriter> out_;  // output
    // Append: the descriptor, the file itself (links followed), whether the channel
    // created it, its length at open, which a failed write cuts the file back to, and the
    // error of that failed write, raised again until the channel is closed. (An output
    // channel's writer keeps its own failure.)
    int appendFd_ = -1;
    std::string appendPath_;
    bool appendCreated_ = false;
    off_t appendStart_ = 0;
    int appendFailure_ = 0;

    void appendText(std::string_view text);
    // Cuts the append file back to its length at open.
    void cutBack(int fd) const;
    void closeAppend();
};

}  // namespace runtime
