// The one table from transfer failures to run-time errors.
#include <gtest/gtest.h>

#include "imaging/net/error_table.hpp"
#include "runtime/error.hpp"

namespace {

using imaging::net::Service;
namespace err = runtime::err;

TEST(ErrorTable, TransferFailuresMapByTheirClass) {
    struct Case {
        CURLcode code;
        const char* reply;
        Service service;
        int error;
    };
    const Case cases[] = {
        {CURLE_OPERATION_TIMEDOUT, "", Service::Http, err::TimedOut},
        {CURLE_FTP_ACCEPT_TIMEOUT, "", Service::Ftp, err::TimedOut},
        {CURLE_URL_MALFORMAT, "", Service::Http, err::BadAddress},
        {CURLE_COULDNT_RESOLVE_HOST, "", Service::Ftp, err::BadAddress},
        {CURLE_COULDNT_RESOLVE_PROXY, "", Service::Http, err::BadAddress},
        {CURLE_UNSUPPORTED_PROTOCOL, "", Service::Http, err::BadAddress},
        {CURLE_LOGIN_DENIED, "530 Authentication failed.", Service::Ftp, err::BadPassword},
        {CURLE_LOGIN_DENIED, "", Service::Http, err::BadPassword},
        {CURLE_LOGIN_DENIED, "A002 NO [AUTHENTICATIONFAILED]", Service::Mail, err::MailLogonFailed},
        {CURLE_AUTH_ERROR, "", Service::Mail, err::MailLogonFailed},
        {CURLE_COULDNT_CONNECT, "", Service::Ftp, err::ConnectFailed},
        {CURLE_SEND_ERROR, "", Service::Http, err::ConnectFailed},
        {CURLE_RECV_ERROR, "", Service::Http, err::ConnectFailed},
        {CURLE_GOT_NOTHING, "", Service::Http, err::ConnectFailed},
        {CURLE_PARTIAL_FILE, "", Service::Ftp, err::ConnectFailed},
        {CURLE_ABORTED_BY_CALLBACK, "", Service::Ftp, err::ConnectFailed},
        // What an FTP server says decides, whatever libcurl calls the refusal.
        {CURLE_QUOTE_ERROR, "550 No such file or directory.", Service::Ftp, err::FileNotFound},
        {CURLE_QUOTE_ERROR, "550 /x: NO SUCH FILE OR DIRECTORY", Service::Ftp, err::FileNotFound},
        {CURLE_FTP_COULDNT_RETR_FILE, "550 No such file or directory", Service::Ftp, err::FileNotFound},
        {CURLE_REMOTE_ACCESS_DENIED, "550 No such file or directory.", Service::Ftp, err::FileNotFound},
        {CURLE_UPLOAD_FAILED, "553 No such file or directory", Service::Ftp, err::FileNotFound},
        {CURLE_QUOTE_ERROR, "550 Permission denied.", Service::Ftp, err::NetworkFailed},
        {CURLE_QUOTE_ERROR, "", Service::Ftp, err::NetworkFailed},
        {CURLE_REMOTE_FILE_NOT_FOUND, "", Service::Ftp, err::FileNotFound},
        // An SMTP refusal is the server's answer, not a broken connection.
        {CURLE_SEND_ERROR, "550 5.1.1 no such user", Service::Mail, err::NetworkFailed},
        {CURLE_SEND_ERROR, "452 4.3.1 Insufficient system storage", Service::Mail, err::DiskFullOnSend},
        {CURLE_WEIRD_SERVER_REPLY, "552 Mailbox full", Service::Mail, err::DiskFullOnSend},
        {CURLE_SEND_ERROR, "", Service::Mail, err::ConnectFailed},
        {CURLE_SEND_ERROR, "250 OK", Service::Mail, err::ConnectFailed},
        {CURLE_SEND_ERROR, "550 5.1.1 no such user", Service::Http, err::ConnectFailed},
        {CURLE_REMOTE_DISK_FULL, "", Service::Ftp, err::DiskFullOnSend},
        {CURLE_OUT_OF_MEMORY, "", Service::Http, err::OutOfMemory},
        {CURLE_WRITE_ERROR, "", Service::Http, err::FileAccessFailed},
        {CURLE_READ_ERROR, "", Service::Ftp, err::FileAccessFailed},
        {CURLE_PEER_FAILED_VERIFICATION, "", Service::Http, err::NetworkFailed},
        {CURLE_SSL_CONNECT_ERROR, "", Service::Http, err::NetworkFailed},
        {CURLE_TOO_MANY_REDIRECTS, "", Service::Http, err::NetworkFailed},
        {CURLE_FTP_WEIRD_PASV_REPLY, "", Service::Ftp, err::NetworkFailed},
        {CURLE_FAILED_INIT, "", Service::Http, err::SystemFailure},
        {CURL_LAST, "", Service::Http, err::SystemFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + " " + c.reply);
        EXPECT_EQ(imaging::net::errorForTransfer(c.code, c.reply, c.service), c.error);
    }
}

TEST(ErrorTable, HttpStatusesOfFailureMapToTheirErrors) {
    const std::pair<long, int> cases[] = {
        {404, err::FileNotFound}, {410, err::FileNotFound}, {401, err::BadPassword}, {407, err::BadPassword},
        {403, err::NetworkFailed}, {500, err::NetworkFailed}, {503, err::NetworkFailed},
    };
    for (const auto& [status, error] : cases) {
        SCOPED_TRACE(status);
        EXPECT_EQ(imaging::net::errorForHttpStatus(status), error);
    }
}

}  // namespace
