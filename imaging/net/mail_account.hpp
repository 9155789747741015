#pragma once
// The mail accounts of the user, in $XDG_CONFIG_HOME/quillon/mail.conf (~/.config when
// XDG_CONFIG_HOME is not set), a UTF-8 text file:
//
//     # lines starting with "#" are comments
//     [profile trader]
//     smtp = smtp://mail.example.com:587
//     imap = imaps://mail.example.com
//     user = trader
//     address = trader@example.com
//
//     [address book]
//     Broker = desk@broker.example
//
// A profile names its servers (SMTP for sending, IMAP for reading; either may be left
// out), the user name of both logons and the sender's address (the user name when not
// given). The password is never stored: the logon gives it. The address book resolves
// the names a program uses for recipients.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace imaging::net {

struct MailAccount {
    std::string smtp;
    std::string imap;
    std::string user;
    std::string address;
};

struct MailSettings {
    std::map<std::string, MailAccount> profiles;  // by name, in the file's order of names
    std::string firstProfile;                     // the one an empty profile name means
    std::map<std::string, std::string> addressBook;
};

MailSettings parseMailSettings(std::string_view text);

// The settings file's path.
std::string mailSettingsPath();

// The account of a profile (UTF-8 name; empty for the file's first), or nothing when the
// file or the profile does not exist.
std::optional<MailAccount> findMailAccount(const MailSettings& settings, const std::string& profile);

}  // namespace imaging::net
