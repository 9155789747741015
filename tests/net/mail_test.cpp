// The mail members against a real SMTP server (aiosmtpd) and the test's IMAP responder on
// 127.0.0.1, sharing one inbox, with the account in a settings file of the test's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <utility>
#include <string>

#include "imaging/plv0ri63.h"
#include "runtime/sjis.hpp"
#include "tests/net/local_server.hpp"
#include "tests/net/net_support.hpp"

using namespace net_test;
using namespace runtime::literals;
namespace fs = std::filesystem;

namespace {

std::string text(const PvRuntimeString* s) { return std::string(runtime::view(s)); }

class MailTest : public ::testing::Test {
protected:
    MailTest() : server({"mail"}) {
        ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
        fs::create_directories(config.path() / "quillon");
        writeFile(config.path() / "quillon" / "mail.conf",
                  "# the test's accounts\n"
                  "[profile trader]\n"
                  "smtp = 127.0.0.1:" + std::to_string(server.port("smtp")) + "\n"
                  "imap = imap://127.0.0.1:" + std::to_string(server.port("imap")) + "\n"
                  "user = trader\n"
                  "address = trader@example.com\n"
                  "\n"
                  "[profile nothing]\n"
                  "user = nobody\n"
                  "\n"
                  "[profile reader]\n"
                  "imap = 127.0.0.1:" + std::to_string(server.port("imap")) + "\n"
                  "user = trader\n"
                  "\n"
                  "[profile sender]\n"
                  "smtp = 127.0.0.1:" + std::to_string(server.port("smtp")) + "\n"
                  "user = trader\n"
                  "\n"
                  "[profile unreachable]\n"
                  "imap = 127.0.0.1:" + std::to_string(closedPort()) + "\n"
                  "user = trader\n"
                  "\n"
                  "[address book]\n"
                  "Broker = desk@broker.example\n");
    }
    ~MailTest() override {
        errorOf([] { PX$MAILLOGOFF(nullptr); });
        ::unsetenv("XDG_CONFIG_HOME");
    }

    void logon(std::int16_t newSession = 0) { PX$MAILLOGON(&form, a("trader"), a("secret"), newSession); }

    TempDir config;
    TempDir local;
    LocalServer server;
    Args a;
    PvObjectVar form = 0;
};

TEST_F(MailTest, AMailSentWithAnAttachmentIsReadBackWhole) {
    logon();
    std::string chart;
    for (int i = 0; i < 3000; ++i) chart += static_cast<char>(i * 31 % 256);
    writeFile(local.path() / "usdjpy.bmp", chart);
    const std::string subject = "決済報告 USD/JPY"_sj;
    const std::string body = "本日の取引\r\n損切り 145.20\r\n"_sj;

    PX$MAILSEND(&form, a("partner@example.org; Broker"), a(subject), a(body), a(local / "usdjpy.bmp"));

    const std::string id = text(PV$MAILFINDNEXT(a("")));
    PV$MAILREAD(a(id));
    EXPECT_EQ(text(PV$MAILSENDER()), "trader@example.com");
    ASSERT_EQ(PV$MAILRECIPCOUNT(), 2);
    EXPECT_EQ(text(PV$MAILRECIP(0)), "partner@example.org");
    EXPECT_EQ(text(PV$MAILRECIP(1)), "desk@broker.example");
    EXPECT_EQ(text(PV$MAILITEM(0)), subject);
    EXPECT_EQ(text(PV$MAILITEM(1)), body);
    EXPECT_TRUE(std::regex_match(text(PV$MAILITEM(2)), std::regex(R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2})"))) << text(PV$MAILITEM(2));
    ASSERT_EQ(PV$MAILFILECOUNT(), 1);
    EXPECT_EQ(text(PV$MAILFILE(0, 1)), "usdjpy.bmp");
    const std::string saved = text(PV$MAILFILE(0, 0));
    EXPECT_EQ(readFile(saved), chart);

    EXPECT_EQ(errorOf([&] { PV$MAILFINDNEXT(a(id)); }), runtime::err::NetworkFailed);  // the only one
    PX$MAILLOGOFF(&form);
    EXPECT_FALSE(fs::exists(saved));  // the kept message's files go with the session
}

TEST_F(MailTest, MessagesAreFoundInOrder) {
    logon(-1);
    for (const char* subject : {"first", "second"}) PX$MAILSEND(&form, a("Broker"), a(subject), a("text"), a(""));
    const std::string first = text(PV$MAILFINDNEXT(a("")));
    const std::string second = text(PV$MAILFINDNEXT(a(first)));
    PV$MAILREAD(a(second));
    EXPECT_EQ(text(PV$MAILITEM(0)), "second");
    EXPECT_EQ(PV$MAILFILECOUNT(), 0);
    PV$MAILREAD(a(first));
    EXPECT_EQ(text(PV$MAILITEM(0)), "first");
    EXPECT_EQ(errorOf([&] { PV$MAILFILE(0, 0); }), runtime::err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { PV$MAILRECIP(1); }), runtime::err::SubscriptOutOfRange);
}

TEST_F(MailTest, OneSessionAtATime) {
    logon();
    EXPECT_EQ(errorOf([&] { logon(); }), runtime::err::MailAlreadyLoggedOn);
    PX$MAILLOGOFF(&form);
    EXPECT_EQ(errorOf([&] { PX$MAILLOGOFF(&form); }), runtime::err::MailNotLoggedOn);
    logon();
}

TEST_F(MailTest, EveryMemberNeedsALogon) {
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"logoff", [&] { PX$MAILLOGOFF(&form); }},
        {"send", [&] { PX$MAILSEND(&form, a("Broker"), a("s"), a("t"), a("")); }},
        {"address", [&] { PX$MAILADDRESS(&form, a("Broker")); }},
        {"find next", [&] { PV$MAILFINDNEXT(a("")); }},
        {"read", [&] { PV$MAILREAD(a("1")); }},
        {"sender", [] { PV$MAILSENDER(); }},
        {"recipient count", [] { PV$MAILRECIPCOUNT(); }},
        {"file", [] { PV$MAILFILE(0, 0); }},
        {"item", [] { PV$MAILITEM(0); }},
    };
    for (const auto& [what, call] : calls) {
        SCOPED_TRACE(what);
        EXPECT_EQ(errorOf(call), runtime::err::MailNotLoggedOn);
    }
}

TEST_F(MailTest, RefusedLogonsAre2005AndHoldNoSession) {
    struct Case {
        const char* what;
        const char* profile;
        const char* password;
    };
    const Case cases[] = {
        {"a wrong password", "trader", "wrong"},
        {"an unknown profile", "stranger", "secret"},
        {"a profile without servers", "nothing", "secret"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(errorOf([&] { PX$MAILLOGON(&form, a(c.profile), a(c.password), 0); }), runtime::err::MailLogonFailed);
    }
    PX$MAILLOGON(&form, a(""), a("secret"), 0);  // an empty profile is the file's first
}

TEST_F(MailTest, AProfileOnlyDoesWhatItsServersDo) {
    PX$MAILLOGON(&form, a("reader"), a("secret"), 0);
    EXPECT_EQ(errorOf([&] { PX$MAILSEND(&form, a("Broker"), a("s"), a("t"), a("")); }), runtime::err::NetworkFailed);
    PX$MAILLOGOFF(&form);
    PX$MAILLOGON(&form, a("sender"), a("secret"), 0);  // no IMAP logon to check: accepted
    PX$MAILSEND(&form, a("Broker"), a("sent"), a("t"), a(""));
    EXPECT_EQ(errorOf([&] { PV$MAILFINDNEXT(a("")); }), runtime::err::NetworkFailed);
    PX$MAILLOGOFF(&form);
    PX$MAILLOGON(&form, a("reader"), a("secret"), 0);
    PV$MAILREAD(a(text(PV$MAILFINDNEXT(a("")))));
    EXPECT_EQ(text(PV$MAILITEM(0)), "sent");
}

TEST_F(MailTest, AnUnreachableServerAtTheLogonIs2001) {
    EXPECT_EQ(errorOf([&] { PX$MAILLOGON(&form, a("unreachable"), a("secret"), 0); }), runtime::err::ConnectFailed);
    logon();  // nothing was left logged on
}

TEST_F(MailTest, AMissingSettingsFileRefusesTheLogon) {
    fs::remove(config.path() / "quillon" / "mail.conf");
    EXPECT_EQ(errorOf([&] { logon(); }), runtime::err::MailLogonFailed);
}

TEST_F(MailTest, RefusedRecipientsAndMissingAttachmentsSendNothing) {
    logon();
    struct Case {
        const char* what;
        std::string recipients;
        std::string attachments;
        int error;
    };
    const Case cases[] = {
        {"a name the address book does not know", "Stranger", "", runtime::err::NetworkFailed},
        {"no recipient", " ; ", "", runtime::err::NetworkFailed},
        {"a missing attachment", "Broker", local / "absent.bmp", runtime::err::FileNotFound},
        {"a recipient the server does not know", "nobody@example.org", "", runtime::err::NetworkFailed},
        {"a recipient without room", "Broker; full@example.org", "", runtime::err::DiskFullOnSend},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(errorOf([&] { PX$MAILSEND(&form, a(c.recipients), a("s"), a("t"), a(c.attachments)); }), c.error);
    }
    EXPECT_EQ(errorOf([&] { PV$MAILFINDNEXT(a("")); }), runtime::err::NetworkFailed);  // the inbox stayed empty
    EXPECT_EQ(text(PX$MAILADDRESS(&form, a("Broker"))), "desk@broker.example");
    EXPECT_EQ(text(PX$MAILADDRESS(&form, a("someone@example.net"))), "someone@example.net");
    EXPECT_EQ(errorOf([&] { PX$MAILADDRESS(&form, a("Stranger")); }), runtime::err::NetworkFailed);
}

}  // namespace
