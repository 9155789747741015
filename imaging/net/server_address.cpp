#include "imaging/net/server_address.hpp"

#include "runtime/error.hpp"

namespace imaging::net {

std::string serverUrl(std::string_view utf8Server, std::initializer_list<std::string_view> schemes) {
    std::string text(utf8Server);
    while (!text.empty() && text.back() == '/') text.pop_back();
    const std::size_t mark = text.find("://");
    std::string scheme(*schemes.begin());
    if (mark != std::string::npos) {
        scheme = text.substr(0, mark);
        for (char& c : scheme)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        text.erase(0, mark + 3);
        bool known = false;
        for (const std::string_view s : schemes) known = known || s == scheme;
        if (!known) runtime::raiseError(runtime::err::BadAddress);
    }
    // A path after the host belongs to the operations, not to the server's name.
    if (text.empty() || text.find_first_of("/?#@ ") != std::string::npos) runtime::raiseError(runtime::err::BadAddress);
    return scheme + "://" + text;
}

}  // namespace imaging::net
