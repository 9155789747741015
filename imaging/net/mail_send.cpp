// Sending mail: PX$MAILSEND through the profile's SMTP server, the message built as MIME
// parts by libcurl (the text, then each attachment in base64), and the address book.
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "imaging/net/curl_easy.hpp"
#include "imaging/net/mail_codec.hpp"
#include "imaging/net/mail_session.hpp"
#include "imaging/net/server_address.hpp"
#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/pv_string.hpp"
#include "runtime/sjis.hpp"

namespace imaging::net {
namespace {

namespace err = runtime::err;

std::vector<std::string> splitList(std::string_view list) {
    std::vector<std::string> items;
    std::size_t at = 0;
    while (at <= list.size()) {
        const std::size_t end = std::min(list.find(';', at), list.size());
        std::string_view item = list.substr(at, end - at);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
        if (!item.empty()) items.emplace_back(item);
        at = end + 1;
    }
    return items;
}

// The address of a recipient: an address as it is, a name through the address book;
// an unknown name is error 2008.
std::string resolveRecipient(const MailSession& s, const std::string& nameUtf8) {
    if (nameUtf8.find('@') != std::string::npos) return nameUtf8;
    const auto it = s.settings.addressBook.find(nameUtf8);
    if (it == s.settings.addressBook.end()) runtime::raiseError(err::NetworkFailed);
    return it->second;
}

// The Date field of a message sent now, in the sender's local time.
std::string dateField() {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    const long offset = local.tm_gmtoff / 60;
    char out[64];
    std::snprintf(out, sizeof out, "Date: %s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld", kDays[local.tm_wday], local.tm_mday,
                  kMonths[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec,
                  offset < 0 ? '-' : '+', (offset < 0 ? -offset : offset) / 60, (offset < 0 ? -offset : offset) % 60);
    return out;
}

struct MimeDeleter {
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};

}  // namespace
}  // namespace imaging::net

using namespace imaging::net;
using runtime::PvString;
namespace err = runtime::err;

extern "C" void PX$MAILSEND(runtime::ObjectVar*, const PvString* recipients, const PvString* subject, const PvString* text,
                            const PvString* attachments) {
    MailSession& s = loggedOn();
    if (s.account.smtp.empty()) runtime::raiseError(err::NetworkFailed);  // the profile sends no mail
    std::vector<std::string> addresses;
    for (const std::string& name : splitList(runtime::view(recipients))) addresses.push_back(resolveRecipient(s, runtime::toUtf8(name)));
    if (addresses.empty()) runtime::raiseError(err::NetworkFailed);
    std::vector<std::string> files;
    for (const std::string& file : splitList(runtime::view(attachments))) {
        if (!runtime::fileExists(file)) runtime::raiseError(err::FileNotFound);
        files.push_back(runtime::nativePath(file));
    }

    CurlEasy smtp;
    TransferResult result;
    smtp.prepare(serverUrl(s.account.smtp, {"smtp", "smtps"}), result);
    CURL* const h = smtp.get();
    curl_easy_setopt(h, CURLOPT_USERNAME, s.account.user.c_str());
    curl_easy_setopt(h, CURLOPT_PASSWORD, s.password.c_str());
    const std::string from = "<" + s.account.address + ">";
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, from.c_str());
    std::vector<std::string> envelope;
    std::string to;
    for (const std::string& a : addresses) {
        envelope.push_back("<" + a + ">");
        to += (to.empty() ? "" : ", ") + a;
    }
    const CurlList rcpt(envelope);
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, rcpt.get());
    const CurlList fields({"From: " + s.account.address, "To: " + to,
                           "Subject: " + encodeHeaderText(runtime::toUtf8(runtime::view(subject))), dateField(),
                           "MIME-Version: 1.0"});
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, fields.get());

    const std::unique_ptr<curl_mime, MimeDeleter> mime(curl_mime_init(h));
    if (!mime) runtime::raiseError(err::OutOfMemory);
    const std::string body = runtime::toUtf8(runtime::view(text));
    curl_mimepart* part = curl_mime_addpart(mime.get());
    curl_mime_data(part, body.data(), body.size());
    curl_mime_type(part, "text/plain; charset=UTF-8");
    curl_mime_encoder(part, "quoted-printable");
    for (const std::string& file : files) {
        part = curl_mime_addpart(mime.get());
        if (curl_mime_filedata(part, file.c_str()) != CURLE_OK) runtime::raiseError(err::FileAccessFailed);
        curl_mime_type(part, "application/octet-stream");
        curl_mime_encoder(part, "base64");
    }
    curl_easy_setopt(h, CURLOPT_MIMEPOST, mime.get());
    smtp.perform(result);
    if (result.code != CURLE_OK) raiseTransferError(result, Service::Mail);
}

extern "C" const PvString* PX$MAILADDRESS(runtime::ObjectVar*, const PvString* name) {
    const MailSession& s = loggedOn();
    return runtime::returnString(runtime::fromUtf8(resolveRecipient(s, runtime::toUtf8(runtime::view(name)))));
}
