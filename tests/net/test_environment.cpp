// A proxy named in the environment would take the tests' requests elsewhere: every
// request of these tests goes straight to 127.0.0.1.
#include <cstdlib>
#include <initializer_list>

namespace {

const bool directConnections = [] {
    for (const char* name : {"http_proxy", "https_proxy", "ftp_proxy", "all_proxy", "HTTPS_PROXY", "FTP_PROXY", "ALL_PROXY"})
        ::unsetenv(name);
    ::setenv("no_proxy", "*", 1);
    ::setenv("NO_PROXY", "*", 1);
    return true;
}();

}  // namespace
