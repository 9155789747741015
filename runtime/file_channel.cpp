#include "runtime/file_channel.hpp"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <utility>

#include "runtime/error.hpp"
#include "runtime/file_system.hpp"

namespace runtime {

FileChannel::FileChannel(std::string_view path, FileMode mode) : mode_(mode) {
    const std::string native = nativePath(path);
    switch (mode_) {
    case FileMode::Input:
        contents_ = readWholeFile(native);
        reader_.emplace(contents_);
        break;
    case FileMode::Output:
        out_ = std::make_unique<SafeFileWriter>(native);
        break;
    case FileMode::Append:
        appendFd_ = ::open(native.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        // With O_CREAT a missing entry can only be a missing folder.
        if (appendFd_ < 0) raiseError(errno == ENOENT ? err::PathNotFound : errorFromErrno(errno));
        break;
    }
    open_ = true;
}

FileChannel::~FileChannel() {
    // An output channel that was never closed keeps the old file: the writer discards.
    if (appendFd_ >= 0) ::close(appendFd_);
}

bool FileChannel::eof() const {
    if (!open_) raiseError(err::ChannelNotOpen);
    if (mode_ != FileMode::Input) raiseError(err::BadFileMode);
    return reader_->atEnd();
}

std::string FileChannel::inputField() {
    if (eof()) raiseError(err::PastEnd);
    return reader_->readField();
}

std::string FileChannel::lineInput() {
    if (eof()) raiseError(err::PastEnd);
    return reader_->readLine();
}

void FileChannel::print(std::string_view text) {
    if (!open_) raiseError(err::ChannelNotOpen);
    if (mode_ == FileMode::Input) raiseError(err::BadFileMode);
    if (mode_ == FileMode::Output)
        out_->write(text);
    else
        writeAll(appendFd_, text);
}

void FileChannel::printLine(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 2);
    line.append(text);
    line.append("\r\n");
    print(line);
}

void FileChannel::close() {
    if (!open_) return;
    open_ = false;
    reader_.reset();
    contents_.clear();
    if (out_) {
        // Even when the commit fails the channel is closed; the writer cleans up after it.
        const std::unique_ptr<SafeFileWriter> out = std::move(out_);
        out->commit();
    }
    if (appendFd_ >= 0) {
        const int fd = appendFd_;
        appendFd_ = -1;
        if (::close(fd) != 0) raiseError(errorFromErrno(errno));
    }
}

}  // namespace runtime
