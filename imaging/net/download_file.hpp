#pragma once
// The local file a download writes: the bytes go to a temporary file beside the target,
// which replaces the target only when the whole transfer has succeeded. A failed or
// refused transfer leaves the target as it was and no temporary file behind.

#include <curl/curl.h>

#include <optional>
#include <string>
#include <string_view>

#include "imaging/net/curl_easy.hpp"
#include "runtime/safe_file.hpp"

namespace imaging::net {

class DownloadFile {
public:
    // `path` is a runtime (CP932) path. With `mustNotExist` an existing file is error 58,
    // raised before anything is transferred and again before the file is put in place.
    DownloadFile(std::string_view path, bool mustNotExist);

    // Makes the transfer of `handle` write its body here; a local failure is kept in
    // `result` and ends the transfer.
    void receiveFrom(CURL* handle, TransferResult& result);
    // Drops what was received so far (a redirect's body) and starts again.
    void restart();
    // Puts the received file in place under the target's name.
    void commit();

private:
    void checkAbsent() const;

    std::string path_;
    std::string native_;
    bool mustNotExist_;
    std::optional<runtime::SafeFileWriter> writer_;
    TransferResult* result_ = nullptr;

    friend std::size_t writeReceived(char*, std::size_t, std::size_t, void*);
};

}  // namespace imaging::net
