// Connection control on this machine: no dial-up, and the state the routing tables give.
#include <gtest/gtest.h>

#include "imaging/net/route_table.hpp"
#include "imaging/plv0ri63.h"
#include "tests/net/net_support.hpp"

using namespace net_test;

namespace {

TEST(Connection, ANamedDialUpEntryIs2001AndTheAutomaticStartFollowsTheState) {
    Args a;
    EXPECT_EQ(errorOf([&] { PV$INTERNETSTART(a("My provider")); }), runtime::err::ConnectFailed);
    const std::int32_t status = PV$INTERNETSTATUS();
    EXPECT_EQ(status, imaging::net::connectedFlagsNow());
    EXPECT_TRUE(status == 0 || status == imaging::net::kConnectedLan) << status;
    EXPECT_EQ(errorOf([&] { PV$INTERNETSTART(a("")); }), status == 0 ? runtime::err::ConnectFailed : 0);
    EXPECT_EQ(errorOf([] { PV$INTERNETEND(); }), 0);
}

}  // namespace
