#include "imaging/net/mail_session.hpp"

#include <stdlib.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "imaging/net/server_address.hpp"
#include "runtime/error.hpp"

namespace imaging::net {

namespace err = runtime::err;

AttachmentFolder::AttachmentFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp == '/' ? tmp : "/tmp") + "/quill-mail-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) runtime::raiseError(runtime::errorFromErrno(errno));
    path_ = pattern;
}

AttachmentFolder::~AttachmentFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::optional<MailSession>& mailSession() {
    static std::optional<MailSession> session;
    return session;
}

MailSession& loggedOn() {
    std::optional<MailSession>& s = mailSession();
    if (!s) runtime::raiseError(err::MailNotLoggedOn);
    return *s;
}

namespace {

std::size_t collectBody(char* data, std::size_t size, std::size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

}  // namespace

std::string imapRequest(MailSession& s, const std::string& path, const char* command) {
    if (s.account.imap.empty()) runtime::raiseError(err::NetworkFailed);  // the profile reads no mail
    TransferResult result;
    std::string body;
    s.imap.prepare(serverUrl(s.account.imap, {"imap", "imaps"}) + path, result);
    CURL* const h = s.imap.get();
    curl_easy_setopt(h, CURLOPT_USERNAME, s.account.user.c_str());
    curl_easy_setopt(h, CURLOPT_PASSWORD, s.password.c_str());
    if (command != nullptr) curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, command);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &collectBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
    s.imap.perform(result);
    if (result.code != CURLE_OK) raiseTransferError(result, Service::Mail);
    return body;
}

}  // namespace imaging::net
