#pragma once
// The server a session talks to, as a URL prefix: "host", "host:port" or a URL with its
// scheme ("https://host:8443"). A scheme the service does not speak is a bad address.

#include <initializer_list>
#include <string>
#include <string_view>

namespace imaging::net {

// "scheme://host[:port]" for a server's name (UTF-8); error 2002 for an empty name, a
// path or user part after it, or a scheme not in `schemes` (the first is the default).
std::string serverUrl(std::string_view utf8Server, std::initializer_list<std::string_view> schemes);

}  // namespace imaging::net
