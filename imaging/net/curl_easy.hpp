#pragma once
// One libcurl easy handle with the options every transfer of this library shares, and
// the outcome of a transfer. A handle lives as long as its session: libcurl keeps the
// session's connection (and its FTP login) in it from one operation to the next.

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/net/error_table.hpp"

namespace imaging::net {

// A list of header lines or FTP commands for libcurl.
class CurlList {
public:
    CurlList() = default;
    explicit CurlList(const std::vector<std::string>& lines);
    ~CurlList();
    CurlList(const CurlList&) = delete;
    CurlList& operator=(const CurlList&) = delete;
    curl_slist* get() const { return list_; }

private:
    curl_slist* list_ = nullptr;
};

// What a transfer left: libcurl's code, the server's reply lines (FTP, SMTP and IMAP
// replies, HTTP header lines) and the error a callback of ours met on a local file.
struct TransferResult {
    CURLcode code = CURLE_OK;
    std::vector<std::string> replies;
    int localError = 0;
    // Set when no byte moved for the time-out: the server stopped answering.
    bool stalled = false;
    curl_off_t bytesMoved = 0;
    std::chrono::steady_clock::time_point lastMove = std::chrono::steady_clock::now();

    // The server's last refusal (a reply of 4xx or 5xx), else its last reply: a server
    // that refused something may still say goodbye after it.
    std::string_view failureReply() const;
};

class CurlEasy {
public:
    CurlEasy();
    ~CurlEasy();
    CurlEasy(const CurlEasy&) = delete;
    CurlEasy& operator=(const CurlEasy&) = delete;

    CURL* get() const { return handle_; }

    // Clears the previous operation's options (libcurl keeps the connection) and sets the
    // shared ones: the URL, the time-outs, no signals, and the reply collector.
    void prepare(const std::string& url, TransferResult& result);
    // Runs the transfer into `result`.
    void perform(TransferResult& result);

private:
    CURL* handle_ = nullptr;
};

// The seconds a transfer may wait on a server that does not answer, in connecting and
// whenever the data stops. The library waits 30 seconds, as the platform's Internet
// functions did; a test that needs a quicker answer lowers it.
int timeoutSeconds();
void setTimeoutSeconds(int seconds);

// Raises the run-time error of a failed transfer: a local file's own error first, then
// the table's error for libcurl's code and the server's last reply.
[[noreturn]] void raiseTransferError(const TransferResult& result, Service service);

// The bytes escaped for one path segment of a URL.
std::string escapeSegment(std::string_view segment);

}  // namespace imaging::net
