// The FTP members against a real FTP server (pyftpdlib) on 127.0.0.1.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "imaging/net/curl_easy.hpp"
#include "imaging/plv0ri63.h"
#include "runtime/sjis.hpp"
#include "tests/net/local_server.hpp"
#include "tests/net/net_support.hpp"

using namespace net_test;
namespace fs = std::filesystem;

namespace {

class FtpTest : public ::testing::Test {
protected:
    FtpTest() : server({"ftp", root.path().string()}) {}
    ~FtpTest() override {
        for (std::int16_t n = 1; n <= 16; ++n) errorOf([&] { PV$FTPCLOSE(n); });
    }

    void open(std::int16_t session) {
        PV$FTPOPEN(session, a(address()), a("trader"), a("secret"));
    }
    std::string address() const { return "127.0.0.1:" + std::to_string(server.port("ftp")); }

    TempDir root;   // the server's folder for the user
    TempDir local;  // this side's files
    LocalServer server;
    Args a;
};

// Every byte value, with CR LF and lone LF among them: a text-mode transfer would change it.
std::string binaryBytes() {
    std::string bytes;
    for (int round = 0; round < 40; ++round)
        for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes + "\r\n\n\r";
}

TEST_F(FtpTest, PutThenGetKeepsEveryByteAndTheFoldersFollowTheCurrentFolder) {
    open(1);
    EXPECT_EQ(std::string(runtime::view(PV$FTPCRDIR(1))), "/");
    writeFile(local.path() / "chart.bmp", binaryBytes());

    PV$FTPMKDIR(1, a("charts"));
    PV$FTPCHDIR(1, a("charts"));
    EXPECT_EQ(std::string(runtime::view(PV$FTPCRDIR(1))), "/charts");
    PV$FTPPUT(1, a(local / "chart.bmp"), a("up.bmp"));
    EXPECT_EQ(readFile(root.path() / "charts" / "up.bmp"), binaryBytes());

    PV$FTPGET(1, a("up.bmp"), a(local / "down.bmp"), 0);
    EXPECT_EQ(readFile(local.path() / "down.bmp"), binaryBytes());
    PV$FTPGET(1, a("/charts/up.bmp"), a(local / "absolute.bmp"), 0);
    EXPECT_EQ(readFile(local.path() / "absolute.bmp"), binaryBytes());

    PV$FTPDELETE(1, a("up.bmp"));
    EXPECT_FALSE(fs::exists(root.path() / "charts" / "up.bmp"));
    PV$FTPCHDIR(1, a(".."));
    EXPECT_EQ(std::string(runtime::view(PV$FTPCRDIR(1))), "/");
    PV$FTPRMDIR(1, a("charts"));
    EXPECT_FALSE(fs::exists(root.path() / "charts"));
}

TEST_F(FtpTest, JapaneseNamesTravelAsUtf8AndComeBackInShiftJis) {
    using namespace runtime::literals;
    open(10);
    const std::string folder = "チャート"_sj;
    const std::string file = "元データ.bmp"_sj;
    const std::string localFile = runtime::fromUtf8Exact(local / "元データ.bmp").value();
    writeFile(local.path() / "元データ.bmp", "chart");
    PV$FTPMKDIR(10, a(folder));
    PV$FTPCHDIR(10, a(folder));
    EXPECT_EQ(std::string(runtime::view(PV$FTPCRDIR(10))), "/"_sj + folder);
    PV$FTPPUT(10, a(localFile), a(file));
    EXPECT_EQ(readFile(root.path() / "チャート" / "元データ.bmp"), "chart");
    PV$FTPGET(10, a(file), a(runtime::fromUtf8Exact(local / "戻り.bmp").value()), 1);
    EXPECT_EQ(readFile(local.path() / "戻り.bmp"), "chart");
}

TEST_F(FtpTest, OpeningAnOpenSessionIsError5AndLeavesItWorking) {
    open(3);
    EXPECT_EQ(errorOf([&] { open(3); }), runtime::err::IllegalArgument);
    EXPECT_EQ(std::string(runtime::view(PV$FTPCRDIR(3))), "/");
    PV$FTPCLOSE(3);
    EXPECT_EQ(errorOf([&] { PV$FTPCRDIR(3); }), runtime::err::IllegalArgument);
    open(3);  // a closed session opens again
}

TEST_F(FtpTest, FailIfExistsTakesOnly0Or1AndRefusesAnExistingFile) {
    writeFile(root.path() / "remote.bin", "new contents");
    open(2);
    const std::string target = local / "kept.bin";
    writeFile(target, "old contents");
    struct Case {
        std::int16_t flag;
        int error;
        std::string contentsAfter;
    };
    const Case cases[] = {
        {2, runtime::err::NotAWindow, "old contents"},
        {-1, runtime::err::NotAWindow, "old contents"},
        {1, runtime::err::FileAlreadyExists, "old contents"},
        {0, 0, "new contents"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        EXPECT_EQ(errorOf([&] { PV$FTPGET(2, a("remote.bin"), a(target), c.flag); }), c.error);
        EXPECT_EQ(readFile(target), c.contentsAfter);
        EXPECT_EQ(entryCount(local.path()), 1U);
    }
    PV$FTPGET(2, a("remote.bin"), a(local / "fresh.bin"), 1);  // 1 with no file is a plain download
    EXPECT_EQ(readFile(local.path() / "fresh.bin"), "new contents");
}

TEST_F(FtpTest, AMissingRemoteFileIs63AndLeavesTheLocalFileWholeAndTheSessionOpen) {
    writeFile(root.path() / "there.bin", "here it is");
    open(5);
    const std::string target = local / "target.bin";
    writeFile(target, "old contents");
    EXPECT_EQ(errorOf([&] { PV$FTPGET(5, a("missing.bin"), a(target), 0); }), runtime::err::FileNotFound);
    EXPECT_EQ(readFile(target), "old contents");
    EXPECT_EQ(entryCount(local.path()), 1U);  // no temporary file left beside it
    PV$FTPGET(5, a("there.bin"), a(target), 0);
    EXPECT_EQ(readFile(target), "here it is");
}

TEST_F(FtpTest, ADownloadCutOffHalfWayIs2001AndLeavesNoHalfFile) {
    writeFile(root.path() / "cut-chart.bmp", binaryBytes());  // the server aborts "cut-" files
    writeFile(root.path() / "whole.bmp", binaryBytes());
    open(9);
    const std::string kept = local / "kept.bmp";
    writeFile(kept, "old contents");
    EXPECT_EQ(errorOf([&] { PV$FTPGET(9, a("cut-chart.bmp"), a(kept), 0); }), runtime::err::ConnectFailed);
    EXPECT_EQ(readFile(kept), "old contents");
    EXPECT_EQ(errorOf([&] { PV$FTPGET(9, a("cut-chart.bmp"), a(local / "new.bmp"), 0); }), runtime::err::ConnectFailed);
    EXPECT_EQ(entryCount(local.path()), 1U);  // neither a half file nor a temporary one
    PV$FTPGET(9, a("whole.bmp"), a(local / "new.bmp"), 0);  // the session carries on
    EXPECT_EQ(readFile(local.path() / "new.bmp"), binaryBytes());
}

TEST_F(FtpTest, TheServersRefusalsMapToTheirErrors) {
    open(6);
    struct Case {
        const char* what;
        void (*call)(std::int16_t, const PvRuntimeString*);
        const char* name;
        int error;
    };
    const Case cases[] = {
        {"cd to a missing folder", &PV$FTPCHDIR, "nowhere", runtime::err::FileNotFound},
        {"delete a missing file", &PV$FTPDELETE, "nothing.bin", runtime::err::FileNotFound},
        {"remove a missing folder", &PV$FTPRMDIR, "nothing", runtime::err::FileNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(errorOf([&] { c.call(6, a(c.name)); }), c.error);
    }
    EXPECT_EQ(std::string(runtime::view(PV$FTPCRDIR(6))), "/");
    PV$FTPMKDIR(6, a("made"));
    EXPECT_EQ(errorOf([&] { PV$FTPMKDIR(6, a("made")); }), runtime::err::NetworkFailed);  // exists already
    EXPECT_TRUE(fs::is_directory(root.path() / "made"));
}

TEST_F(FtpTest, AMissingFileOrFolderOnEitherSideOfAPutIs63) {
    open(7);
    writeFile(local.path() / "there.bin", "bytes");
    EXPECT_EQ(errorOf([&] { PV$FTPPUT(7, a(local / "absent.bin"), a("x.bin")); }), runtime::err::FileNotFound);
    EXPECT_EQ(errorOf([&] { PV$FTPPUT(7, a(local / "there.bin"), a("no/such/folder.bin")); }), runtime::err::FileNotFound);
    EXPECT_EQ(entryCount(root.path()), 0U);
    PV$FTPPUT(7, a(local / "there.bin"), a("x.bin"));
    EXPECT_EQ(readFile(root.path() / "x.bin"), "bytes");
}

TEST_F(FtpTest, AWrongPasswordIs2003AndTheSessionStaysClosed) {
    EXPECT_EQ(errorOf([&] { PV$FTPOPEN(4, a(address()), a("trader"), a("wrong")); }), runtime::err::BadPassword);
    EXPECT_EQ(errorOf([&] { PV$FTPCRDIR(4); }), runtime::err::IllegalArgument);
    open(4);
}

TEST(FtpSessions, NumbersOutside1To16Are1005AndAClosedSessionIs5) {
    Args a;
    for (const std::int16_t n : {std::int16_t{0}, std::int16_t{17}, std::int16_t{-1}}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(errorOf([&] { PV$FTPOPEN(n, a("127.0.0.1"), a("u"), a("p")); }), runtime::err::NotAWindow);
        EXPECT_EQ(errorOf([&] { PV$FTPGET(n, a("r"), a("l"), 0); }), runtime::err::NotAWindow);
        EXPECT_EQ(errorOf([&] { PV$FTPCLOSE(n); }), runtime::err::NotAWindow);
    }
    for (const std::int16_t n : {std::int16_t{1}, std::int16_t{16}}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(errorOf([&] { PV$FTPGET(n, a("r"), a("l"), 0); }), runtime::err::IllegalArgument);
        EXPECT_EQ(errorOf([&] { PV$FTPPUT(n, a("l"), a("r")); }), runtime::err::IllegalArgument);
        EXPECT_EQ(errorOf([&] { PV$FTPCHDIR(n, a("d")); }), runtime::err::IllegalArgument);
        EXPECT_EQ(errorOf([&] { PV$FTPCRDIR(n); }), runtime::err::IllegalArgument);
        EXPECT_EQ(errorOf([&] { PV$FTPCLOSE(n); }), runtime::err::IllegalArgument);
    }
}

TEST(FtpConnection, UnreachableServersMapToTheirErrors) {
    imaging::net::setTimeoutSeconds(1);
    LocalServer silent({"silent"});
    Args a;
    struct Case {
        const char* what;
        std::string server;
        int error;
    };
    const Case cases[] = {
        {"a name the resolver refuses", unresolvableName(), runtime::err::BadAddress},
        {"a scheme FTP does not speak", "http://127.0.0.1", runtime::err::BadAddress},
        {"an empty name", "", runtime::err::BadAddress},
        {"nothing listening", "127.0.0.1:" + std::to_string(closedPort()), runtime::err::ConnectFailed},
        {"a server that never answers", "127.0.0.1:" + std::to_string(silent.port("silent")), runtime::err::TimedOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(errorOf([&] { PV$FTPOPEN(8, a(c.server), a("trader"), a("secret")); }), c.error);
        EXPECT_EQ(errorOf([&] { PV$FTPCLOSE(8); }), runtime::err::IllegalArgument);  // not left open
    }
    imaging::net::setTimeoutSeconds(30);
}

}  // namespace
