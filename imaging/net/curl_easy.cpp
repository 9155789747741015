#include "imaging/net/curl_easy.hpp"

#include <cctype>
#include <cstdlib>

#include "runtime/error.hpp"

namespace imaging::net {

namespace {

int gTimeoutSeconds = 30;

// libcurl's global state is set up once, before the first handle, and never torn down:
// the library may be in use until the process ends.
void initialiseCurlOnce() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised) runtime::raiseError(runtime::err::SystemFailure);
}

// Each reply line (without its CR LF) of the server, as libcurl hands them over. A reply
// is an answer: the time-out starts again.
std::size_t collectReply(char* data, std::size_t size, std::size_t count, void* user) {
    auto* result = static_cast<TransferResult*>(user);
    result->lastMove = std::chrono::steady_clock::now();
    std::string line(data, size * count);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (!line.empty()) result->replies.push_back(std::move(line));
    return size * count;
}

// Ends a transfer in which nothing has moved, either way, for the time-out: a server
// that never replies is as stuck as a body that stops half-way.
int watchProgress(void* user, curl_off_t, curl_off_t downloaded, curl_off_t, curl_off_t uploaded) {
    auto* result = static_cast<TransferResult*>(user);
    const auto now = std::chrono::steady_clock::now();
    if (downloaded + uploaded != result->bytesMoved) {
        result->bytesMoved = downloaded + uploaded;
        result->lastMove = now;
        return 0;
    }
    if (now - result->lastMove < std::chrono::seconds(gTimeoutSeconds)) return 0;
    result->stalled = true;
    return 1;
}

std::size_t discard(char*, std::size_t size, std::size_t count, void*) { return size * count; }

}  // namespace

CurlList::CurlList(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        curl_slist* const longer = curl_slist_append(list_, line.c_str());
        if (longer == nullptr) runtime::raiseError(runtime::err::OutOfMemory);
        list_ = longer;
    }
}

CurlList::~CurlList() { curl_slist_free_all(list_); }

CurlEasy::CurlEasy() {
    initialiseCurlOnce();
    handle_ = curl_easy_init();
    if (handle_ == nullptr) runtime::raiseError(runtime::err::OutOfMemory);
}

CurlEasy::~CurlEasy() {
    // Closing the connection reads the server's farewell: it must not reach the
    // callbacks of an operation that has ended.
    curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, &discard);
    curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &discard);
    curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 1L);
    curl_easy_cleanup(handle_);
}

void CurlEasy::prepare(const std::string& url, TransferResult& result) {
    curl_easy_reset(handle_);
    curl_easy_setopt(handle_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT, static_cast<long>(gTimeoutSeconds));
    result.lastMove = std::chrono::steady_clock::now();
    curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, &watchProgress);
    curl_easy_setopt(handle_, CURLOPT_XFERINFODATA, &result);
    curl_easy_setopt(handle_, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(gTimeoutSeconds));
    curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, &collectReply);
    curl_easy_setopt(handle_, CURLOPT_HEADERDATA, &result);
    // The user's certificate bundle, where the environment names one as curl's own tool
    // takes it; otherwise the system's. The checks stay on either way.
    if (const char* bundle = std::getenv("CURL_CA_BUNDLE"); bundle != nullptr && *bundle != '\0')
        curl_easy_setopt(handle_, CURLOPT_CAINFO, bundle);
}

void CurlEasy::perform(TransferResult& result) { result.code = curl_easy_perform(handle_); }

std::string_view TransferResult::failureReply() const {
    for (auto it = replies.rbegin(); it != replies.rend(); ++it) {
        const std::string& r = *it;
        if (r.size() >= 3 && (r[0] == '4' || r[0] == '5') && std::isdigit(static_cast<unsigned char>(r[1])) &&
            std::isdigit(static_cast<unsigned char>(r[2])))
            return r;
    }
    return replies.empty() ? std::string_view() : std::string_view(replies.back());
}

int timeoutSeconds() { return gTimeoutSeconds; }

void setTimeoutSeconds(int seconds) { gTimeoutSeconds = seconds > 0 ? seconds : 1; }

void raiseTransferError(const TransferResult& result, Service service) {
    if (result.localError != 0) runtime::raiseError(result.localError);
    if (result.stalled) runtime::raiseError(runtime::err::TimedOut);
    runtime::raiseError(errorForTransfer(result.code, result.failureReply(), service));
}

std::string escapeSegment(std::string_view segment) {
    char* const escaped = curl_easy_escape(nullptr, segment.data(), static_cast<int>(segment.size()));
    if (escaped == nullptr) runtime::raiseError(runtime::err::OutOfMemory);
    std::string out(escaped);
    curl_free(escaped);
    return out;
}

}  // namespace imaging::net
