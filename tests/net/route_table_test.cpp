// The connected state read from the kernel's routing tables.
#include <gtest/gtest.h>

#include <string>

#include "imaging/net/route_table.hpp"

namespace {

const std::string kHeader = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

std::string ipv4(const char* iface, const char* flags) {
    return std::string(iface) + "\t00000000\t010200C0\t" + flags + "\t0\t0\t0\t00000000\t0\t0\t0\n";
}

std::string ipv6(const char* iface, const char* flags) {
    return std::string("fd000000000000000000000000000000 40 00000000000000000000000000000000 00 "
                       "00000000000000000000000000000000 00000100 00000001 00000000 ") +
           flags + "     " + iface + "\n";
}

TEST(RouteTable, ARouteUpOnAnInterfaceOtherThanTheLoopbackIsALan) {
    struct Case {
        const char* what;
        std::string v4;
        std::string v6;
        std::int32_t flags;
    };
    const Case cases[] = {
        {"no tables", "", "", 0},
        {"only the header", kHeader, "", 0},
        {"a default route up", kHeader + ipv4("eth0", "0003"), "", imaging::net::kConnectedLan},
        {"a route up on wireless", kHeader + ipv4("wlan0", "0001"), "", imaging::net::kConnectedLan},
        {"a route that is down", kHeader + ipv4("eth0", "0002"), "", 0},
        {"the loopback only", kHeader + ipv4("lo", "0001"), ipv6("lo", "00000001"), 0},
        {"an IPv6 route up", kHeader, ipv6("eth0", "00000001"), imaging::net::kConnectedLan},
        {"an IPv6 route down", kHeader, ipv6("eth0", "00000000"), 0},
        {"flags that are not hex", kHeader + ipv4("eth0", "zz"), "", 0},
        {"cut-off lines", kHeader + "eth0\t0000\n", "fd00 40\n", 0},
        {"a header line that looks up", "eth0 0 0 0001\n", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(imaging::net::connectedFlags(c.v4, c.v6), c.flags);
    }
}

}  // namespace
