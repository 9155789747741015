#include "imaging/net/route_table.hpp"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace imaging::net {
namespace {

constexpr unsigned long kRouteUp = 0x1;  // RTF_UP

std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

bool isUpHex(const std::string& flags) {
    unsigned long value = 0;
    const auto [end, ec] = std::from_chars(flags.data(), flags.data() + flags.size(), value, 16);
    return ec == std::errc() && end == flags.data() + flags.size() && (value & kRouteUp) != 0;
}

// True when a line of the table has a route up on an interface other than "lo".
// `ifaceColumn` and `flagsColumn` say where the table keeps them; `skipFirst` drops the
// IPv4 table's header line.
bool anyRouteUp(std::string_view table, std::size_t ifaceColumn, std::size_t flagsColumn, bool skipFirst) {
    std::istringstream in{std::string(table)};
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (std::exchange(first, false) && skipFirst) continue;
        const std::vector<std::string> f = fieldsOf(line);
        if (f.size() <= std::max(ifaceColumn, flagsColumn)) continue;
        if (f[ifaceColumn] != "lo" && isUpHex(f[flagsColumn])) return true;
    }
    return false;
}

std::string readAll(const char* path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::int32_t connectedFlags(std::string_view ipv4Routes, std::string_view ipv6Routes) {
    // /proc/net/route: Iface Destination Gateway Flags ...; /proc/net/ipv6_route: ten
    // columns, the flags ninth and the interface last.
    if (anyRouteUp(ipv4Routes, 0, 3, true) || anyRouteUp(ipv6Routes, 9, 8, false)) return kConnectedLan;
    return 0;
}

std::int32_t connectedFlagsNow() { return connectedFlags(readAll("/proc/net/route"), readAll("/proc/net/ipv6_route")); }

}  // namespace imaging::net
