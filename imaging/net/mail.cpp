// The mail members: one session at a time, sending through the profile's SMTP server and
// reading the inbox of its IMAP server, both through libcurl. The message read last is
// kept, with its attachments saved as files, for the query members.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "imaging/net/curl_easy.hpp"
#include "imaging/net/mail_account.hpp"
#include "imaging/net/mail_codec.hpp"
#include "imaging/net/mail_message.hpp"
#include "imaging/net/server_address.hpp"
#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/pv_string.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

namespace imaging::net {
namespace {

using runtime::PvString;
namespace err = runtime::err;

// A temporary folder that holds the kept message's attachments, removed with it.
class AttachmentFolder {
public:
    AttachmentFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp == '/' ? tmp : "/tmp") + "/quill-mail-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) runtime::raiseError(runtime::errorFromErrno(errno));
        path_ = pattern;
    }
    ~AttachmentFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    AttachmentFolder(const AttachmentFolder&) = delete;
    AttachmentFolder& operator=(const AttachmentFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

struct KeptMessage {
    MailMessage message;
    std::unique_ptr<AttachmentFolder> folder;
    std::vector<std::string> savedPaths;  // CP932, one per attachment
};

struct MailSession {
    MailSettings settings;
    MailAccount account;
    std::string password;
    CurlEasy imap;
    std::optional<KeptMessage> kept;
};

std::optional<MailSession>& mailSession() {
    static std::optional<MailSession> session;
    return session;
}

MailSession& loggedOn() {
    std::optional<MailSession>& s = mailSession();
    if (!s) runtime::raiseError(err::MailNotLoggedOn);
    return *s;
}

const KeptMessage& kept() {
    const MailSession& s = loggedOn();
    if (!s.kept) runtime::raiseError(err::IllegalArgument);  // no message read yet
    return *s.kept;
}

std::string cp932(const std::string& utf8) { return runtime::fromUtf8(utf8); }

std::size_t collectBody(char* data, std::size_t size, std::size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

// Runs one IMAP request on the session's connection and returns what the server sent
// for it (the untagged replies of a command, or the message of a fetch).
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

// The UIDs of the inbox's messages, from "* SEARCH 1 2 3".
std::vector<unsigned long> inboxIds(MailSession& s) {
    const std::string replies = imapRequest(s, "/INBOX", "UID SEARCH ALL");
    std::vector<unsigned long> ids;
    std::size_t at = 0;
    while ((at = replies.find("* SEARCH", at)) != std::string::npos) {
        at += 8;
        const std::size_t end = std::min(replies.find('\n', at), replies.size());
        std::size_t pos = at;
        while (pos < end) {
            char* stop = nullptr;
            const unsigned long id = std::strtoul(replies.c_str() + pos, &stop, 10);
            if (stop == replies.c_str() + pos) {
                ++pos;
                continue;
            }
            ids.push_back(id);
            pos = static_cast<std::size_t>(stop - replies.c_str());
        }
        at = end;
    }
    return ids;
}

std::optional<unsigned long> messageId(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    unsigned long id = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        id = id * 10 + static_cast<unsigned long>(c - '0');
    }
    return id;
}

// A file name for a saved attachment: the sender's name without folders, when CP932 can
// hold it, else a numbered one; never twice the same in one message.
std::string savedName(const std::string& name, std::size_t index, std::vector<std::string>& used) {
    std::string base = name.substr(name.find_last_of("/\\") == std::string::npos ? 0 : name.find_last_of("/\\") + 1);
    if (base.empty() || base == "." || base == ".." || !runtime::fromUtf8Exact(base)) base = "attachment" + std::to_string(index + 1);
    std::string candidate = base;
    for (int n = 2; std::find(used.begin(), used.end(), candidate) != used.end(); ++n) candidate = std::to_string(n) + "_" + base;
    used.push_back(candidate);
    return candidate;
}

KeptMessage keep(MailMessage message) {
    KeptMessage k;
    k.folder = std::make_unique<AttachmentFolder>();
    std::vector<std::string> used;
    for (std::size_t i = 0; i < message.attachments.size(); ++i) {
        const std::string native = k.folder->path() + "/" + savedName(message.attachments[i].name, i, used);
        runtime::writeFileSafely(native, message.attachments[i].bytes);
        k.savedPaths.push_back(runtime::fromUtf8Exact(native).value_or(runtime::fromUtf8(native)));
    }
    k.message = std::move(message);
    return k;
}

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

const PvString* returnField(const std::string& utf8) { return runtime::returnString(cp932(utf8)); }

const std::string& indexed(const std::vector<std::string>& items, std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) runtime::raiseError(err::SubscriptOutOfRange);
    return items[static_cast<std::size_t>(index)];
}

}  // namespace
}  // namespace imaging::net

using namespace imaging::net;
using runtime::PvString;
namespace err = runtime::err;

// The form would be the parent of the platform's logon dialog; this logon has none.
extern "C" void PX$MAILLOGON(runtime::ObjectVar*, const PvString* profile, const PvString* password, std::int16_t newSession) {
    std::optional<MailSession>& slot = mailSession();
    if (slot) runtime::raiseError(err::MailAlreadyLoggedOn);
    MailSettings settings;
    try {
        settings = parseMailSettings(runtime::readWholeFile(mailSettingsPath()));
    } catch (const runtime::RuntimeError&) {
        runtime::raiseError(err::MailLogonFailed);  // no settings file: no profile to log on with
    }
    const std::optional<MailAccount> account = findMailAccount(settings, runtime::toUtf8(runtime::view(profile)));
    if (!account || (account->smtp.empty() && account->imap.empty())) runtime::raiseError(err::MailLogonFailed);
    MailSession& s = slot.emplace();
    try {
        s.settings = std::move(settings);
        s.account = *account;
        s.password = runtime::toUtf8(runtime::view(password));
        // The IMAP logon checks the password now; asked for a new session, the logon also
        // opens the inbox, so that a mailbox that cannot be read fails here.
        if (!s.account.imap.empty()) imapRequest(s, newSession != 0 ? "/INBOX" : "/", "NOOP");
    } catch (...) {
        slot.reset();
        throw;
    }
}

extern "C" void PX$MAILLOGOFF(runtime::ObjectVar*) {
    loggedOn();
    mailSession().reset();  // the IMAP connection closes and the kept message's files go
}

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
    return runtime::returnString(cp932(resolveRecipient(s, runtime::toUtf8(runtime::view(name)))));
}

extern "C" const PvString* PV$MAILFINDNEXT(const PvString* previous) {
    MailSession& s = loggedOn();
    const std::string_view after = runtime::view(previous);
    const std::optional<unsigned long> previousId = after.empty() ? std::optional<unsigned long>(0) : messageId(after);
    if (!previousId) runtime::raiseError(err::NetworkFailed);  // not a message of this inbox
    for (const unsigned long id : inboxIds(s))
        if (id > *previousId) return runtime::returnString(std::to_string(id));
    runtime::raiseError(err::NetworkFailed);  // no further message
}

extern "C" void PV$MAILREAD(const PvString* message) {
    MailSession& s = loggedOn();
    const std::optional<unsigned long> id = messageId(runtime::view(message));
    if (!id) runtime::raiseError(err::NetworkFailed);
    const std::string raw = imapRequest(s, "/INBOX/;UID=" + std::to_string(*id), nullptr);
    if (raw.empty()) runtime::raiseError(err::NetworkFailed);  // no such message
    s.kept.reset();
    s.kept = keep(parseMessage(raw));
}

extern "C" const PvString* PV$MAILSENDER() { return returnField(kept().message.sender); }

extern "C" std::int32_t PV$MAILRECIPCOUNT() { return static_cast<std::int32_t>(kept().message.recipients.size()); }

extern "C" const PvString* PV$MAILRECIP(std::int32_t index) { return returnField(indexed(kept().message.recipients, index)); }

extern "C" std::int32_t PV$MAILFILECOUNT() { return static_cast<std::int32_t>(kept().message.attachments.size()); }

extern "C" const PvString* PV$MAILFILE(std::int32_t index, std::int32_t what) {
    const KeptMessage& k = kept();
    const std::string& path = indexed(k.savedPaths, index);
    if (what == 0) return runtime::returnString(path);
    if (what == 1) return returnField(k.message.attachments[static_cast<std::size_t>(index)].name);
    runtime::raiseError(err::NotAWindow);
}

extern "C" const PvString* PV$MAILITEM(std::int32_t item) {
    const MailMessage& m = kept().message;
    switch (item) {
    case 0: return returnField(m.subject);
    case 1: return returnField(m.text);
    case 2: return returnField(m.date);
    default: runtime::raiseError(err::NotAWindow);
    }
}
