#pragma once
// A mail message as the mail members keep it: read from its raw form (header fields and
// MIME parts) into the fields the query members give. Texts are UTF-8. The reader takes
// any bytes: a part it cannot make out is kept as it stands.

#include <string>
#include <string_view>
#include <vector>

namespace imaging::net {

struct MailAttachment {
    std::string name;   // the file name the sender gave ("part N" when none)
    std::string bytes;  // decoded
};

struct MailMessage {
    std::string sender;                   // the From field
    std::vector<std::string> recipients;  // the entries of To and Cc
    std::string subject;
    std::string text;  // the first plain-text part that is not an attachment
    std::string date;  // "YYYY/MM/DD hh:mm" as the sender wrote it, else the field
    std::vector<MailAttachment> attachments;
};

MailMessage parseMessage(std::string_view raw);

// "Thu, 10 Dec 2026 14:30:05 +0900" -> "2026/12/10 14:30"; empty when the text is not
// such a date.
std::string mailDate(std::string_view field);

// The entries of an address list ("A <a@x>, \"B, C\" <b@x>"), split at the commas that
// are outside quotes and angle brackets, trimmed.
std::vector<std::string> splitAddressList(std::string_view list);

}  // namespace imaging::net
