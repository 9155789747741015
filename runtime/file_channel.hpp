#pragma once
// File channels: a text file opened for input, output or append. Paths are runtime
// (CP932) strings, converted to the native name at the file-system boundary.
//  * Input reads the whole file and serves fields and lines (FieldReader rules).
//    A missing file is error 63.
//  * Output creates or empties the file, but safely: the text goes to a temporary file
//    that replaces the target only at close(), so the old file stays whole until then.
//    A channel destroyed without close() leaves the old file untouched.
//  * Append adds to the end of the file (created when missing); what is there is kept.
// Writing to an input channel or reading from an output one (eof() included) is error 51;
// reading past the end is error 54; using a closed channel is error 57. Closing a closed
// channel does nothing. A missing folder is error 53 for output and append.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

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
    int appendFd_ = -1;                    // append
};

}  // namespace runtime
