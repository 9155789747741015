#include "runtime/file_channel.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <utility>

#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/link_target.hpp"
#include "runtime/system_calls.hpp"

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
    case FileMode::Append: {
        const LinkTarget target = resolveLinks(native);
        appendPath_ = target.path;
        appendCreated_ = !target.exists;
        appendFd_ = systemCalls().open(appendPath_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        // With O_CREAT a missing entry can only be a missing folder.
        if (appendFd_ < 0) raiseError(errno == ENOENT ? err::PathNotFound : errorFromErrno(errno));
        // The length at open is what a failure cuts back to: without it, no append.
        struct stat st {};
        if (::fstat(appendFd_, &st) != 0) {
            const int e = errno;
            systemCalls().close(std::exchange(appendFd_, -1));
            raiseError(errorFromErrno(e));
        }
        appendStart_ = st.st_size;
        break;
    }
    }
    open_ = true;
}

FileChannel::~FileChannel() {
    // An output channel that was never closed keeps the old file: the writer discards.
    // An append channel keeps what it wrote; only close() waits for it to be on disk.
    if (appendFd_ >= 0) systemCalls().close(appendFd_);
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
        appendText(text);
}

void FileChannel::printLine(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 2);
    line.append(text);
    line.append("\r\n");
    print(line);
}

void FileChannel::cutBack(int fd) const {
    // Should the cut itself fail, the error that led to it is still the one to tell.
    [[maybe_unused]] const int cut = ::ftruncate(fd, appendStart_);
}

void FileChannel::appendText(std::string_view text) {
    if (appendFailure_ != 0) raiseError(appendFailure_);
    try {
        writeAll(appendFd_, text);
    } catch (const RuntimeError& e) {
        // Part of a record at the end of the file would be read as a record of its own;
        // what this channel added goes, and the file is as it was before the channel
        // opened.
        appendFailure_ = e.number();
        cutBack(appendFd_);
        throw;
    }
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
    if (appendFd_ >= 0) closeAppend();
}

void FileChannel::closeAppend() {
    const SystemCalls& sys = systemCalls();
    const int fd = std::exchange(appendFd_, -1);
    if (appendFailure_ != 0) {
        sys.close(fd);
        raiseError(appendFailure_);
    }
    // The descriptor is given up whatever fsync and close say (a failed close has
    // released it all the same).
    if (sys.fsync(fd) != 0) {
        // What was added may or may not be on disk: take it back, so that the step that
        // tries again after this error does not find it there twice.
        const int e = errno;
        cutBack(fd);
        sys.close(fd);
        raiseError(errorFromErrno(e));
    }
    if (sys.close(fd) != 0) raiseError(errorFromErrno(errno));
    // A file the channel created is only found again once its folder entry is on disk.
    if (appendCreated_) syncFolder(folderOf(appendPath_));
}

}  // namespace runtime
