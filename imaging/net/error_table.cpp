#include "imaging/net/error_table.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "runtime/error.hpp"

namespace imaging::net {

namespace err = runtime::err;

namespace {

// Server texts that say more than the failure's code; compared without regard to case.
struct KnownReply {
    std::string_view text;
    int error;
};
constexpr KnownReply kKnownReplies[] = {
    {"no such file or directory", err::FileNotFound},
};

bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
    const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it != haystack.end();
}

// Failures whose meaning is in the server's reply text rather than in the code.
bool isServerRefusal(CURLcode code) {
    switch (code) {
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_QUOTE_ERROR:
    case CURLE_UPLOAD_FAILED:
    case CURLE_FTP_COULDNT_SET_TYPE:
    case CURLE_WEIRD_SERVER_REPLY: return true;
    default: return false;
    }
}

// An SMTP server refuses a sender, a recipient or the message with a reply of 4xx or
// 5xx; libcurl reports it as a send error. No room for the mail is a full disk.
bool isMailRefusal(CURLcode code, std::string_view reply, Service service) {
    if (service != Service::Mail || (code != CURLE_SEND_ERROR && code != CURLE_WEIRD_SERVER_REPLY)) return false;
    return reply.size() >= 3 && (reply[0] == '4' || reply[0] == '5') && std::isdigit(static_cast<unsigned char>(reply[1])) &&
           std::isdigit(static_cast<unsigned char>(reply[2]));
}

}  // namespace

int errorForTransfer(CURLcode code, std::string_view reply, Service service) {
    if (isMailRefusal(code, reply, service)) {
        const std::string_view status = reply.substr(0, 3);
        return status == "452" || status == "552" ? err::DiskFullOnSend : err::NetworkFailed;
    }
    if (isServerRefusal(code)) {
        for (const KnownReply& known : kKnownReplies)
            if (containsIgnoringCase(reply, known.text)) return known.error;
        return err::NetworkFailed;
    }
    switch (code) {
    case CURLE_OK: return err::SystemFailure;  // not a failure: nobody should ask
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_FTP_ACCEPT_TIMEOUT: return err::TimedOut;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_FTP_CANT_GET_HOST: return err::BadAddress;
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR: return service == Service::Mail ? err::MailLogonFailed : err::BadPassword;
    case CURLE_COULDNT_CONNECT:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_NO_CONNECTION_AVAILABLE: return err::ConnectFailed;
    case CURLE_REMOTE_FILE_NOT_FOUND: return err::FileNotFound;
    case CURLE_REMOTE_DISK_FULL: return err::DiskFullOnSend;
    case CURLE_OUT_OF_MEMORY: return err::OutOfMemory;
    case CURLE_WRITE_ERROR:
    case CURLE_READ_ERROR:
    case CURLE_FILE_COULDNT_READ_FILE: return err::FileAccessFailed;
    case CURLE_FAILED_INIT:
    case CURLE_NOT_BUILT_IN:
    case CURLE_BAD_FUNCTION_ARGUMENT:
    case CURLE_UNKNOWN_OPTION:
    case CURLE_RECURSIVE_API_CALL: return err::SystemFailure;
    default: break;
    }
    // Every other failure of a transfer that libcurl names: TLS, protocol, server errors.
    if (code > CURLE_OK && code < CURL_LAST) return err::NetworkFailed;
    return err::SystemFailure;
}

int errorForHttpStatus(long status) {
    switch (status) {
    case 404:
    case 410: return err::FileNotFound;
    case 401:
    case 407: return err::BadPassword;
    default: return err::NetworkFailed;
    }
}

}  // namespace imaging::net
