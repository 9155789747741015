#pragma once
// The one mail session of the process: the profile's account, the password the logon
// gave, the IMAP connection kept from the logon to the logoff, and the message read last
// with its attachments saved as files for the query members.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "imaging/net/curl_easy.hpp"
#include "imaging/net/mail_account.hpp"
#include "imaging/net/mail_message.hpp"

namespace imaging::net {

// A temporary folder that holds the kept message's attachments, removed with it.
class AttachmentFolder {
public:
    AttachmentFolder();
    ~AttachmentFolder();
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

std::optional<MailSession>& mailSession();
// The open session; error 2007 when there is none.
MailSession& loggedOn();

// Runs one IMAP request on the session's connection and returns what the server sent
// for it: the untagged replies of `command`, or the message that `path` names when
// `command` is null. A profile without an IMAP server reads nothing (2008).
std::string imapRequest(MailSession& s, const std::string& path, const char* command);

}  // namespace imaging::net
