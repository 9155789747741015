// The mail members of the session and of reading: one session at a time, the inbox of
// the profile's IMAP server read message by message, the message read last kept for the
// query members.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "imaging/net/mail_account.hpp"
#include "imaging/net/mail_message.hpp"
#include "imaging/net/mail_session.hpp"
#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"
#include "runtime/pv_string.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"

namespace imaging::net {
namespace {

using runtime::PvString;
namespace err = runtime::err;

const KeptMessage& kept() {
    const MailSession& s = loggedOn();
    if (!s.kept) runtime::raiseError(err::IllegalArgument);  // no message read yet
    return *s.kept;
}

std::string cp932(const std::string& utf8) { return runtime::fromUtf8(utf8); }

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
