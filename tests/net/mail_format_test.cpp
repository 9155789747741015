// Mail's text encodings, the reader of received messages and the settings file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/net/mail_account.hpp"
#include "imaging/net/mail_codec.hpp"
#include "imaging/net/mail_message.hpp"

namespace {

using namespace imaging::net;

TEST(MailCodec, Base64RoundTripsAndSkipsLineBreaks) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {std::string("\0\xff\x80", 3), "AP+A"},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(base64Encode(bytes), text);
        EXPECT_EQ(base64Decode(text), bytes);
    }
    EXPECT_EQ(base64Decode("Zm9v\r\nYmFy\r\n"), "foobar");
    EXPECT_EQ(base64Decode("Zm9v!!YmFy"), "foobar");
}

TEST(MailCodec, QuotedPrintableUndoesEscapesAndSoftBreaksOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"a=3Db", "a=b"},     {"ab=\r\ncd", "abcd"}, {"ab=\ncd", "abcd"}, {"=E6=B1=BA", "\xE6\xB1\xBA"},
        {"=XY kept", "=XY kept"}, {"end=4", "end=4"},  {"end=", "end="},   {"line\r\nnext", "line\r\nnext"},
    };
    for (const auto& [text, bytes] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(quotedPrintableDecode(text), bytes);
    }
}

TEST(MailCodec, HeaderWordsDecodeFromTheirCharsets) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain subject", "plain subject"},
        {"=?UTF-8?B?5rG65riI?=", "決済"},
        {"=?utf-8?q?caf=C3=A9_au_lait?=", "café au lait"},
        {"=?ISO-8859-1?Q?caf=E9?=", "café"},
        {"=?ISO-2022-JP?B?GyRCN2g6URsoQg==?=", "決済"},
        {"=?Shift_JIS?B?jIiNzw==?=", "決済"},
        {"=?UTF-8?B?5rG6?= =?UTF-8?B?5riI?=", "決済"},      // the blank between two words goes
        {"Re: =?UTF-8?B?5rG65riI?= done", "Re: 決済 done"},  // blanks beside text stay
        {"=?UTF-8?X?abc?=", "=?UTF-8?X?abc?="},            // not an encoding: kept
        {"=?UTF-8?B?unclosed", "=?UTF-8?B?unclosed"},
    };
    for (const auto& [field, text] : cases) {
        SCOPED_TRACE(field);
        EXPECT_EQ(decodeHeaderText(field), text);
    }
}

TEST(MailCodec, LongHeaderTextIsEncodedInShortWordsThatSplitNoCharacter) {
    EXPECT_EQ(encodeHeaderText("Weekly report"), "Weekly report");
    std::string japanese;
    for (int i = 0; i < 40; ++i) japanese += "取引";
    const std::string field = encodeHeaderText(japanese);
    std::size_t start = 0;
    while (start < field.size()) {
        const std::size_t end = std::min(field.find("\r\n ", start), field.size());
        EXPECT_LE(end - start, 75U);
        start = end + 3;
    }
    EXPECT_EQ(decodeHeaderText(field), japanese);
}

const char kMultipart[] =
    "From: =?UTF-8?B?5rG65riI?= <desk@broker.example>\r\n"
    "To: \"Doe, J\" <j@example.org>, k@example.org\r\n"
    "Cc: m@example.org\r\n"
    "Subject: =?ISO-2022-JP?B?GyRCN2g6URsoQg==?=\r\n"
    "Date: Thu, 10 Dec 2026 14:30:05 +0900\r\n"
    "MIME-Version: 1.0\r\n"
    "Content-Type: multipart/mixed; boundary=\"outer\"\r\n"
    "\r\n"
    "preamble\r\n"
    "--outer\r\n"
    "Content-Type: multipart/alternative;\r\n"
    " boundary=inner\r\n"
    "\r\n"
    "--inner\r\n"
    "Content-Type: text/plain; charset=ISO-8859-1\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n"
    "\r\n"
    "caf=E9 =\r\n"
    "ok\r\n"
    "--inner\r\n"
    "Content-Type: text/html\r\n"
    "\r\n"
    "<p>html</p>\r\n"
    "--inner--\r\n"
    "--outer\r\n"
    "Content-Type: application/octet-stream\r\n"
    "Content-Disposition: attachment; filename*=UTF-8''%E5%8F%96%E5%BC%95.bmp\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "AP+A\r\n"
    "--outer\r\n"
    "Content-Type: image/jpeg; name=\"chart.jpg\"\r\n"
    "\r\n"
    "JPEG\r\n"
    "--outer--\r\n"
    "epilogue\r\n";

TEST(MailMessage, AMultipartMessageGivesItsFieldsTextAndAttachments) {
    const MailMessage m = parseMessage(kMultipart);
    EXPECT_EQ(m.sender, "決済 <desk@broker.example>");
    EXPECT_EQ(m.recipients, (std::vector<std::string>{"\"Doe, J\" <j@example.org>", "k@example.org", "m@example.org"}));
    EXPECT_EQ(m.subject, "決済");
    EXPECT_EQ(m.date, "2026/12/10 14:30");
    EXPECT_EQ(m.text, "café ok");
    ASSERT_EQ(m.attachments.size(), 2U);
    EXPECT_EQ(m.attachments[0].name, "取引.bmp");
    EXPECT_EQ(m.attachments[0].bytes, std::string("\0\xff\x80", 3));
    EXPECT_EQ(m.attachments[1].name, "chart.jpg");
    EXPECT_EQ(m.attachments[1].bytes, "JPEG");
}

TEST(MailMessage, PlainAndDamagedMessagesGiveWhatTheyHold) {
    struct Case {
        const char* what;
        std::string raw;
        std::string subject;
        std::string text;
        std::size_t attachments;
    };
    const Case cases[] = {
        {"no content type", "Subject: hi\nFrom: a@x\n\nbody\n", "hi", "body\n", 0},
        {"a folded subject", "Subject: one\r\n two\r\n\r\nbody", "one two", "body", 0},
        {"a repeated field", "Subject: first\r\nSubject: second\r\n\r\n", "first", "", 0},
        {"no body", "Subject: only fields", "only fields", "", 0},
        {"a multipart cut off", "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n\r\nfirst part\r\n--b\r\n"
                                "Content-Disposition: attachment\r\n\r\nhalf",
         "", "first part", 1},
        {"a multipart without parts", "Content-Type: multipart/mixed; boundary=b\r\n\r\nnothing here", "", "", 0},
        {"Shift_JIS text", "Content-Type: text/plain; charset=Shift_JIS\r\n\r\n\x8c\x88\x8d\xcf", "", "決済", 0},
        {"bytes that are no message", std::string("\0\xff\r\n:\r\n\r\n=?\x01", 12), "", "=?\x01", 0},
        {"empty", "", "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MailMessage m = parseMessage(c.raw);
        EXPECT_EQ(m.subject, c.subject);
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.attachments.size(), c.attachments);
    }
}

TEST(MailMessage, DatesAreShortenedToMinutes) {
    const std::pair<const char*, const char*> cases[] = {
        {"Thu, 10 Dec 2026 14:30:05 +0900", "2026/12/10 14:30"},
        {"10 Dec 2026 09:05 -0000", "2026/12/10 09:05"},
        {"Mon, 1 feb 99 1:02:03 GMT", "1999/02/01 01:02"},
        {"yesterday", ""},
        {"Thu, 32 Jan 2026 10:00:00 +0000", ""},
        {"Thu, 10 Foo 2026 10:00:00 +0000", ""},
        {"", ""},
    };
    for (const auto& [field, date] : cases) {
        SCOPED_TRACE(field);
        EXPECT_EQ(mailDate(field), date);
    }
}

TEST(MailSettings, ProfilesAndTheAddressBookAreRead) {
    const MailSettings s = parseMailSettings(
        "# accounts\n"
        "[profile trader]\n"
        "  smtp = smtp://mail.example.com:587 \r\n"
        "imap=imaps://mail.example.com\n"
        "user = trader\n"
        "colour = blue\n"
        "[profile second]\n"
        "user = other\n"
        "address = other@example.com\n"
        "[address book]\n"
        "Broker = desk@broker.example\n"
        "[something else]\n"
        "user = ignored\n");
    EXPECT_EQ(s.firstProfile, "trader");
    ASSERT_EQ(s.profiles.size(), 2U);
    const MailAccount& t = s.profiles.at("trader");
    EXPECT_EQ(t.smtp, "smtp://mail.example.com:587");
    EXPECT_EQ(t.imap, "imaps://mail.example.com");
    EXPECT_EQ(t.user, "trader");
    EXPECT_EQ(t.address, "trader");  // the user name when no address is given
    EXPECT_EQ(s.profiles.at("second").address, "other@example.com");
    EXPECT_EQ(s.addressBook.at("Broker"), "desk@broker.example");
    EXPECT_EQ(findMailAccount(s, "")->user, "trader");
    EXPECT_EQ(findMailAccount(s, "second")->user, "other");
    EXPECT_FALSE(findMailAccount(s, "third"));
    EXPECT_FALSE(findMailAccount(parseMailSettings(""), ""));
}

}  // namespace
