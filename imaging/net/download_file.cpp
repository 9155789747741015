#include "imaging/net/download_file.hpp"

#include "runtime/error.hpp"
#include "runtime/file_system.hpp"

namespace imaging::net {

// A C callback must not let an exception through libcurl: the local error is kept for the
// caller, and returning short makes libcurl end the transfer.
std::size_t writeReceived(char* data, std::size_t size, std::size_t count, void* user) {
    auto* file = static_cast<DownloadFile*>(user);
    try {
        file->writer_->write(std::string_view(data, size * count));
    } catch (const runtime::RuntimeError& e) {
        file->result_->localError = e.number();
        return 0;
    }
    return size * count;
}

DownloadFile::DownloadFile(std::string_view path, bool mustNotExist)
    : path_(path), native_(runtime::nativePath(path)), mustNotExist_(mustNotExist) {
    checkAbsent();
    writer_.emplace(native_);
}

void DownloadFile::checkAbsent() const {
    if (mustNotExist_ && runtime::fileExists(path_)) runtime::raiseError(runtime::err::FileAlreadyExists);
}

void DownloadFile::receiveFrom(CURL* handle, TransferResult& result) {
    result_ = &result;
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &writeReceived);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, this);
}

void DownloadFile::restart() {
    writer_.reset();
    writer_.emplace(native_);
}

void DownloadFile::commit() {
    checkAbsent();
    writer_->commit();
}

}  // namespace imaging::net
