#pragma once
// The server a session talks to, as a URL prefix: "host", "host:port" or a URL with its
// scheme ("https://host:8443"). A scheme the service does not speak is a bad address.

#include <initializer_list>
#include <string>
#include <string_view>

namespace imaging::net {

// "scheme://host[:port]" for the server text (CP932) of a runtime string; error 2002 for
// an empty name or a scheme not in `schemes` (the first is the default).
std::string serverUrl(std::string_view server, std::initializer_list<std::string_view> schemes);

}  // namespace imaging::net
