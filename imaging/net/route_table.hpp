#pragma once
// What Linux knows of the machine's connection: the kernel's routing tables. A route
// that is up on an interface other than the loopback counts as a LAN connection; there
// is no modem here.

#include <cstdint>
#include <string_view>

namespace imaging::net {

inline constexpr std::int32_t kConnectedModem = 1;
inline constexpr std::int32_t kConnectedLan = 2;

// The connected-state flags (0 or kConnectedLan) for the texts of /proc/net/route and
// /proc/net/ipv6_route; either may be empty.
std::int32_t connectedFlags(std::string_view ipv4Routes, std::string_view ipv6Routes);

// The same for this machine's tables now.
std::int32_t connectedFlagsNow();

}  // namespace imaging::net
