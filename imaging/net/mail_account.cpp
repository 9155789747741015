#include "imaging/net/mail_account.hpp"

#include <cctype>
#include <cstdlib>

namespace imaging::net {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

}  // namespace

MailSettings parseMailSettings(std::string_view text) {
    MailSettings settings;
    enum class Section { None, Profile, AddressBook } section = Section::None;
    MailAccount* account = nullptr;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = trim(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view header = trim(line.substr(1, line.size() - 2));
            section = Section::None;
            if (header == "address book") {
                section = Section::AddressBook;
            } else if (header.substr(0, 8) == "profile ") {
                const std::string name(trim(header.substr(8)));
                if (settings.profiles.empty()) settings.firstProfile = name;
                account = &settings.profiles[name];
                section = Section::Profile;
            }
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string key(trim(line.substr(0, eq)));
        const std::string value(trim(line.substr(eq + 1)));
        if (section == Section::AddressBook) {
            settings.addressBook[key] = value;
        } else if (section == Section::Profile) {
            if (key == "smtp") account->smtp = value;
            else if (key == "imap") account->imap = value;
            else if (key == "user") account->user = value;
            else if (key == "address") account->address = value;
        }
    }
    for (auto& [name, a] : settings.profiles)
        if (a.address.empty()) a.address = a.user;
    return settings;
}

std::string mailSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config != nullptr && *config == '/') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : "") + "/.config";
    }
    return folder + "/quillon/mail.conf";
}

std::optional<MailAccount> findMailAccount(const MailSettings& settings, const std::string& profile) {
    const std::string& name = profile.empty() ? settings.firstProfile : profile;
    const auto it = settings.profiles.find(name);
    if (it == settings.profiles.end()) return std::nullopt;
    return it->second;
}

}  // namespace imaging::net
