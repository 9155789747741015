// The HTTP members. A session names its server and keeps one libcurl handle; each
// PV$HTTPGET is one request on it, and nothing of a failed request outlives the call.
#include <memory>
#include <string>

#include "imaging/net/curl_easy.hpp"
#include "imaging/net/download_file.hpp"
#include "imaging/net/server_address.hpp"
#include "imaging/net/sessions.hpp"
#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"
#include "runtime/pv_string.hpp"
#include "runtime/sjis.hpp"

namespace imaging::net {
namespace {

using runtime::PvString;

struct HttpSession {
    CurlEasy easy;
    std::string server;  // "http://host[:port]" or "https://..."
};

SessionTable<HttpSession>& httpSessions() {
    static SessionTable<HttpSession> table;
    return table;
}

// Redirects are followed this many times at most, on the session's own server only.
constexpr int kMaxRedirects = 10;

struct UrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

// "scheme://host:port" of a URL, with the scheme's default port filled in; empty for a
// URL libcurl cannot read.
std::string originOf(const std::string& url) {
    const std::unique_ptr<CURLU, UrlDeleter> u(curl_url());
    if (!u || curl_url_set(u.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) return {};
    std::string origin;
    for (const CURLUPart part : {CURLUPART_SCHEME, CURLUPART_HOST, CURLUPART_PORT}) {
        char* text = nullptr;
        if (curl_url_get(u.get(), part, &text, CURLU_DEFAULT_PORT) != CURLUE_OK) return {};
        origin += text;
        origin += '|';
        curl_free(text);
    }
    return origin;
}

// The local name of a download given none: the object's last path segment, without its
// query or fragment; a path that ends in "/" names no file (55).
std::string nameFromObject(std::string_view object) {
    object = object.substr(0, object.find_first_of("?#"));
    const std::size_t slash = object.rfind('/');
    if (slash != std::string_view::npos) object.remove_prefix(slash + 1);
    if (object.empty()) runtime::raiseError(runtime::err::BadFileName);
    return std::string(object);
}

void prepareRequest(HttpSession& s, const std::string& url, TransferResult& result) {
    s.easy.prepare(url, result);
    CURL* const h = s.easy.get();
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
}

}  // namespace
}  // namespace imaging::net

using namespace imaging::net;
using runtime::PvString;

extern "C" void PV$HTTPOPEN(std::int16_t session, const PvString* server) {
    std::optional<HttpSession>& slot = httpSessions().freeSlot(session);
    const std::string url = serverUrl(runtime::toUtf8(runtime::view(server)), {"http", "https"});
    HttpSession& s = slot.emplace();
    try {
        s.server = url;
        // Resolving and connecting now (with the TLS handshake for https) makes an
        // unknown name or an unreachable server fail at the open.
        TransferResult result;
        s.easy.prepare(s.server + "/", result);
        curl_easy_setopt(s.easy.get(), CURLOPT_CONNECT_ONLY, 1L);
        s.easy.perform(result);
        if (result.code != CURLE_OK) raiseTransferError(result, Service::Http);
    } catch (...) {
        slot.reset();
        throw;
    }
}

extern "C" void PV$HTTPGET(std::int16_t session, const PvString* object, const PvString* local, std::int16_t noOverwrite) {
    HttpSession& s = httpSessions().inUse(session);
    const std::string_view objectText = runtime::view(object);
    const std::string localName = runtime::view(local).empty() ? nameFromObject(objectText) : std::string(runtime::view(local));
    std::string path = runtime::toUtf8(objectText);
    if (path.empty() || path.front() != '/') path.insert(path.begin(), '/');
    DownloadFile file(localName, noOverwrite != 0);

    // The library's two headers replace libcurl's usual Accept (and it sends no agent).
    const CurlList headers({"Accept: binary/*", "User-Agent: PLV0RI63.DLL"});
    const std::string origin = originOf(s.server + "/");
    std::string url = s.server + path;
    for (int hop = 0;; ++hop) {
        TransferResult result;
        prepareRequest(s, url, result);
        curl_easy_setopt(s.easy.get(), CURLOPT_HTTPHEADER, headers.get());
        file.receiveFrom(s.easy.get(), result);
        s.easy.perform(result);
        if (result.code != CURLE_OK) raiseTransferError(result, Service::Http);
        long status = 0;
        curl_easy_getinfo(s.easy.get(), CURLINFO_RESPONSE_CODE, &status);
        if (status >= 200 && status < 300) {
            file.commit();
            return;
        }
        if (status >= 400) runtime::raiseError(errorForHttpStatus(status));
        const char* location = nullptr;
        curl_easy_getinfo(s.easy.get(), CURLINFO_REDIRECT_URL, &location);
        // A redirect to another server (or scheme, or port) is not followed behind the
        // caller's back: the session was opened for this server.
        if (status < 300 || location == nullptr || hop == kMaxRedirects || originOf(location) != origin)
            runtime::raiseError(runtime::err::NetworkFailed);
        url = location;
        file.restart();
    }
}

extern "C" void PV$HTTPCLOSE(std::int16_t session) { httpSessions().close(session); }
