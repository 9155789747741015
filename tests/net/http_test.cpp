// The HTTP members against an HTTP server of the test's own (tests/net/servers.py) on
// 127.0.0.1.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "imaging/net/curl_easy.hpp"
#include "imaging/plv0ri63.h"
#include "tests/net/local_server.hpp"
#include "tests/net/net_support.hpp"

using namespace net_test;
namespace fs = std::filesystem;

namespace {

class HttpTest : public ::testing::Test {
protected:
    HttpTest() : server({"http", root.path().string()}) {}
    ~HttpTest() override {
        for (std::int16_t n = 1; n <= 16; ++n) errorOf([&] { PV$HTTPCLOSE(n); });
        imaging::net::setTimeoutSeconds(30);
    }

    std::string address() const { return "127.0.0.1:" + std::to_string(server.port("http")); }
    void open(std::int16_t session) { PV$HTTPOPEN(session, a(address())); }

    TempDir root;
    TempDir local;
    LocalServer server;
    Args a;
};

TEST_F(HttpTest, TheRequestIsAGetInHttp10WithExactlyTheLibrarysHeaders) {
    open(1);
    PV$HTTPGET(1, a("/headers"), a(local / "request.txt"), 0);
    const std::string expected = "GET /headers HTTP/1.0\r\n"
                                 "Host: " + address() + "\r\n"
                                 "Accept: binary/*\r\n"
                                 "User-Agent: PLV0RI63.DLL\r\n";
    EXPECT_EQ(readFile(local.path() / "request.txt"), expected);
}

TEST_F(HttpTest, BodiesOfEverySizeArriveWhole) {
    open(2);
    for (const std::size_t size : {0U, 1U, 1023U, 1024U, 1025U, 2048U, 100000U}) {
        SCOPED_TRACE(size);
        const std::string target = local / ("body" + std::to_string(size));
        PV$HTTPGET(2, a("/bytes/" + std::to_string(size)), a(target), 0);
        EXPECT_EQ(readFile(target), patternBytes(size));
    }
}

TEST_F(HttpTest, AnEmptyLocalNameIsTheObjectsNameInTheCurrentFolder) {
    fs::create_directory(root.path() / "charts");
    writeFile(root.path() / "charts" / "usdjpy.bmp", "chart bytes");
    open(3);
    const fs::path before = fs::current_path();
    fs::current_path(local.path());
    PV$HTTPGET(3, a("/charts/usdjpy.bmp?week=1"), a(""), 0);
    const int folderError = errorOf([&] { PV$HTTPGET(3, a("/charts/"), a(""), 0); });
    fs::current_path(before);
    EXPECT_EQ(readFile(local.path() / "usdjpy.bmp"), "chart bytes");
    EXPECT_EQ(folderError, runtime::err::BadFileName);
    EXPECT_EQ(entryCount(local.path()), 1U);
}

TEST_F(HttpTest, TheNoOverwriteFlagRefusesAnExistingFileAndLeavesItUnchanged) {
    open(4);
    const std::string target = local / "kept.bin";
    struct Case {
        std::int16_t flag;
        int error;
        std::string contentsAfter;
    };
    const Case cases[] = {
        {1, runtime::err::FileAlreadyExists, "old contents"},
        {-1, runtime::err::FileAlreadyExists, "old contents"},
        {0, 0, patternBytes(10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        writeFile(target, "old contents");
        EXPECT_EQ(errorOf([&] { PV$HTTPGET(4, a("/bytes/10"), a(target), c.flag); }), c.error);
        EXPECT_EQ(readFile(target), c.contentsAfter);
        EXPECT_EQ(entryCount(local.path()), 1U);
    }
}

TEST_F(HttpTest, AFailedRequestLeavesTheFileAndTheSessionAsTheyWere) {
    open(5);
    const std::string target = local / "target.bin";
    struct Case {
        const char* object;
        int error;
        int timeout;  // seconds: short only where the test waits for it
    };
    const Case cases[] = {
        {"/missing.bin", runtime::err::FileNotFound, 30},
        {"/stall", runtime::err::TimedOut, 1},  // the server stops in the middle of the body
        {"/redirect-elsewhere", runtime::err::NetworkFailed, 30},
        {"/redirect-loop", runtime::err::NetworkFailed, 30},
        {"/private", runtime::err::BadPassword, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.object);
        writeFile(target, "old contents");
        imaging::net::setTimeoutSeconds(c.timeout);
        EXPECT_EQ(errorOf([&] { PV$HTTPGET(5, a(c.object), a(target), 0); }), c.error);
        imaging::net::setTimeoutSeconds(30);
        EXPECT_EQ(readFile(target), "old contents");
        EXPECT_EQ(entryCount(local.path()), 1U);
        PV$HTTPGET(5, a("/bytes/5"), a(local / "after.bin"), 0);  // the session still works
        EXPECT_EQ(readFile(local.path() / "after.bin"), patternBytes(5));
        fs::remove(local.path() / "after.bin");
    }
}

// The program killed in the middle of a download (a power loss, a kill -9): the target
// keeps its old contents, as the body goes to a temporary file beside it until it is whole.
TEST_F(HttpTest, AProgramKilledInTheMiddleOfADownloadLeavesTheTargetAsItWas) {
    const fs::path target = local / "target.bin";
    writeFile(target, "old contents");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The server sends 1000 of 100000 bytes and then nothing: the download waits.
        errorOf([&] {
            open(7);
            PV$HTTPGET(7, a("/stall"), a(target.string()), 0);
        });
        ::_exit(0);
    }
    // Killed once the body has begun to arrive beside the target.
    bool started = false;
    for (int i = 0; i < 200 && !started; ++i) {
        started = entryCount(local.path()) == 2;
        if (!started) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(started) << "no temporary file appeared beside the target";
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(readFile(target), "old contents");
}

TEST_F(HttpTest, ARedirectOnTheSameServerIsFollowed) {
    open(6);
    PV$HTTPGET(6, a("/redirect-here"), a(local / "moved.bin"), 0);
    EXPECT_EQ(readFile(local.path() / "moved.bin"), patternBytes(300));
}

TEST_F(HttpTest, All16SessionsWorkSideBySide) {
    for (std::int16_t n = 1; n <= 16; ++n) open(n);
    for (std::int16_t n = 16; n >= 1; --n) {
        SCOPED_TRACE(n);
        const std::string target = local / ("s" + std::to_string(n));
        PV$HTTPGET(n, a("/bytes/" + std::to_string(n)), a(target), 0);
        EXPECT_EQ(readFile(target), patternBytes(static_cast<std::size_t>(n)));
    }
    PV$HTTPCLOSE(8);
    EXPECT_EQ(errorOf([&] { PV$HTTPGET(8, a("/bytes/1"), a(local / "x"), 0); }), runtime::err::IllegalArgument);
    PV$HTTPGET(9, a("/bytes/1"), a(local / "x"), 0);  // its neighbours stay open
    PV$HTTPGET(7, a("/bytes/1"), a(local / "x"), 0);
}

TEST_F(HttpTest, OpeningAnOpenSessionIsError5) {
    open(3);
    EXPECT_EQ(errorOf([&] { open(3); }), runtime::err::IllegalArgument);
    PV$HTTPGET(3, a("/bytes/3"), a(local / "still.bin"), 0);
    EXPECT_EQ(readFile(local.path() / "still.bin"), patternBytes(3));
}

TEST(HttpSessions, NumbersOutside1To16Are1005AndAClosedSessionIs5) {
    Args a;
    for (const std::int16_t n : {std::int16_t{0}, std::int16_t{17}}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(errorOf([&] { PV$HTTPOPEN(n, a("127.0.0.1")); }), runtime::err::NotAWindow);
        EXPECT_EQ(errorOf([&] { PV$HTTPGET(n, a("/"), a("x"), 0); }), runtime::err::NotAWindow);
        EXPECT_EQ(errorOf([&] { PV$HTTPCLOSE(n); }), runtime::err::NotAWindow);
    }
    EXPECT_EQ(errorOf([&] { PV$HTTPGET(9, a("/"), a("x"), 0); }), runtime::err::IllegalArgument);
    EXPECT_EQ(errorOf([&] { PV$HTTPCLOSE(9); }), runtime::err::IllegalArgument);
}

TEST(HttpConnection, UnreachableServersMapToTheirErrorsAtTheOpen) {
    imaging::net::setTimeoutSeconds(1);
    Args a;
    struct Case {
        const char* what;
        std::string server;
        int error;
    };
    const Case cases[] = {
        {"a name the resolver refuses", unresolvableName(), runtime::err::BadAddress},
        {"a scheme HTTP does not speak", "ftp://127.0.0.1", runtime::err::BadAddress},
        {"a path in the server's name", "127.0.0.1/x", runtime::err::BadAddress},
        {"nothing listening", "127.0.0.1:" + std::to_string(closedPort()), runtime::err::ConnectFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(errorOf([&] { PV$HTTPOPEN(10, a(c.server)); }), c.error);
        EXPECT_EQ(errorOf([&] { PV$HTTPCLOSE(10); }), runtime::err::IllegalArgument);
    }
    imaging::net::setTimeoutSeconds(30);
}

TEST(HttpConnection, AServerThatNeverAnswersIs2004) {
    imaging::net::setTimeoutSeconds(1);
    LocalServer silent({"silent"});
    Args a;
    TempDir local;
    PV$HTTPOPEN(11, a("127.0.0.1:" + std::to_string(silent.port("silent"))));
    EXPECT_EQ(errorOf([&] { PV$HTTPGET(11, a("/x"), a(local / "x"), 0); }), runtime::err::TimedOut);
    EXPECT_EQ(entryCount(local.path()), 0U);
    PV$HTTPCLOSE(11);
    imaging::net::setTimeoutSeconds(30);
}

TEST(HttpsConnection, TheCertificateIsCheckedAgainstTheTrustedBundle) {
    TempDir root;
    TempDir certs;
    TempDir local;
    LocalServer server({"https", root.path().string(), certs.path().string()});
    Args a;
    const std::string address = "https://127.0.0.1:" + std::to_string(server.port("https"));

    // A certificate nobody trusts: the handshake at the open fails.
    ::setenv("CURL_CA_BUNDLE", (certs.path() / "nobody.pem").c_str(), 1);
    writeFile(certs.path() / "nobody.pem", "");
    EXPECT_EQ(errorOf([&] { PV$HTTPOPEN(12, a(address)); }), runtime::err::NetworkFailed);

    ::setenv("CURL_CA_BUNDLE", (certs.path() / "cert.pem").c_str(), 1);
    PV$HTTPOPEN(12, a(address));
    PV$HTTPGET(12, a("/bytes/2048"), a(local / "secure.bin"), 0);
    EXPECT_EQ(readFile(local.path() / "secure.bin"), patternBytes(2048));
    PV$HTTPCLOSE(12);
    ::unsetenv("CURL_CA_BUNDLE");
}

}  // namespace
