// The network and mail members are exported from libPLV0RI63.so under their own names,
// and the C header declares exactly those.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/net/c_header.h"

namespace {

TEST(Exports, EveryMemberOfTheCHeaderIsTheLibrarysExportOfThatName) {
    void* const library = ::dlopen("libPLV0RI63.so", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr) << ::dlerror();
    int count = 0;
    for (const NetMember* m = kNetMembers; m->name != nullptr; ++m, ++count) {
        SCOPED_TRACE(m->name);
        void* const symbol = ::dlsym(library, m->name);
        EXPECT_NE(symbol, nullptr);
        EXPECT_EQ(reinterpret_cast<void*>(m->address), symbol);
    }
    EXPECT_EQ(count, 27);  // 3 connection, 9 FTP, 3 HTTP and 12 mail members
    EXPECT_TRUE(netTypedMembersMatch());
    ::dlclose(library);
}

}  // namespace
