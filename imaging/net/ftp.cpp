// The FTP members. A session keeps one libcurl handle, and with it the logged-on control
// connection, from PV$FTPOPEN to PV$FTPCLOSE. The session knows its current remote folder
// as the server names it (PWD) and sends every path absolute, so no command depends on
// where an earlier one left the server.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "imaging/net/curl_easy.hpp"
#include "imaging/net/download_file.hpp"
#include "imaging/net/server_address.hpp"
#include "imaging/net/sessions.hpp"
#include "imaging/plv0ri63.h"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/pv_string.hpp"
#include "runtime/sjis.hpp"

namespace imaging::net {
namespace {

using runtime::PvString;

struct FtpSession {
    CurlEasy easy;
    std::string server;  // "ftp://host[:port]"
    std::string user;
    std::string password;
    std::string folder;  // the current remote folder, absolute, as the server writes it
};

SessionTable<FtpSession>& ftpSessions() {
    static SessionTable<FtpSession> table;
    return table;
}

// A remote name as the server takes it: absolute, UTF-8.
std::string absoluteRemote(const FtpSession& s, const PvString* name) {
    const std::string text = runtime::toUtf8(runtime::view(name));
    if (text.empty()) runtime::raiseError(runtime::err::BadFileName);
    if (text.front() == '/') return text;
    if (s.folder.empty() || s.folder.back() == '/') return s.folder + text;
    return s.folder + "/" + text;
}

// The URL of an absolute remote path: "%2F" keeps libcurl from reading it as relative
// to the log-on folder.
std::string remoteUrl(const FtpSession& s, const std::string& absolute) {
    std::string url = s.server + "/%2F";
    std::size_t start = 1;
    while (start <= absolute.size()) {
        std::size_t end = absolute.find('/', start);
        if (end == std::string::npos) end = absolute.size();
        if (start > 1) url += '/';
        url += escapeSegment(std::string_view(absolute).substr(start, end - start));
        start = end + 1;
    }
    return url;
}

void prepare(FtpSession& s, const std::string& url, TransferResult& result) {
    s.easy.prepare(url, result);
    CURL* const h = s.easy.get();
    curl_easy_setopt(h, CURLOPT_USERNAME, s.user.c_str());
    curl_easy_setopt(h, CURLOPT_PASSWORD, s.password.c_str());
    // The paths are absolute: RETR and STOR name the file, with no CWD of libcurl's own.
    curl_easy_setopt(h, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(h, CURLOPT_TRANSFERTEXT, 0L);
}

// Sends FTP commands on the session's connection; a refusal raises its error.
TransferResult runCommands(FtpSession& s, const std::vector<std::string>& commands) {
    TransferResult result;
    prepare(s, s.server + "/", result);
    const CurlList list(commands);
    curl_easy_setopt(s.easy.get(), CURLOPT_QUOTE, list.get());
    curl_easy_setopt(s.easy.get(), CURLOPT_NOBODY, 1L);
    s.easy.perform(result);
    if (result.code != CURLE_OK) raiseTransferError(result, Service::Ftp);
    return result;
}

// The folder of the last "257" reply ("257 "/a/b" is the current directory"), with its
// doubled quotes undone; empty when there is none.
std::string folderFromReplies(const TransferResult& result) {
    for (auto it = result.replies.rbegin(); it != result.replies.rend(); ++it) {
        if (it->rfind("257", 0) != 0) continue;
        const std::size_t open = it->find('"');
        if (open == std::string::npos) continue;
        std::string folder;
        for (std::size_t i = open + 1; i < it->size(); ++i) {
            if ((*it)[i] != '"') {
                folder += (*it)[i];
            } else if (i + 1 < it->size() && (*it)[i + 1] == '"') {
                folder += '"';
                ++i;
            } else {
                return folder;
            }
        }
    }
    return {};
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::size_t readUpload(char* buffer, std::size_t size, std::size_t count, void* user) {
    return std::fread(buffer, size, count, static_cast<std::FILE*>(user)) * size;
}

}  // namespace
}  // namespace imaging::net

using namespace imaging::net;
using runtime::PvString;

extern "C" void PV$FTPOPEN(std::int16_t session, const PvString* server, const PvString* user, const PvString* password) {
    std::optional<FtpSession>& slot = ftpSessions().freeSlot(session);
    const std::string url = serverUrl(runtime::toUtf8(runtime::view(server)), {"ftp"});
    FtpSession& s = slot.emplace();
    try {
        s.server = url;
        s.user = runtime::toUtf8(runtime::view(user));
        s.password = runtime::toUtf8(runtime::view(password));
        // Logging on now makes a wrong password or an unknown server fail here, and gives
        // the folder the session starts in.
        TransferResult result;
        prepare(s, s.server + "/", result);
        curl_easy_setopt(s.easy.get(), CURLOPT_NOBODY, 1L);
        s.easy.perform(result);
        if (result.code != CURLE_OK) raiseTransferError(result, Service::Ftp);
        const char* entry = nullptr;
        curl_easy_getinfo(s.easy.get(), CURLINFO_FTP_ENTRY_PATH, &entry);
        s.folder = entry != nullptr && *entry != '\0' ? entry : "/";
    } catch (...) {
        slot.reset();  // a session that failed to open stays closed, its handle freed
        throw;
    }
}

extern "C" void PV$FTPGET(std::int16_t session, const PvString* remote, const PvString* local, std::int16_t failIfExists) {
    FtpSession& s = ftpSessions().inUse(session);
    if (failIfExists != 0 && failIfExists != 1) runtime::raiseError(runtime::err::NotAWindow);
    const std::string url = remoteUrl(s, absoluteRemote(s, remote));
    DownloadFile file(runtime::view(local), failIfExists == 1);
    TransferResult result;
    prepare(s, url, result);
    file.receiveFrom(s.easy.get(), result);
    s.easy.perform(result);
    if (result.code != CURLE_OK) raiseTransferError(result, Service::Ftp);
    file.commit();
}

extern "C" void PV$FTPPUT(std::int16_t session, const PvString* local, const PvString* remote) {
    FtpSession& s = ftpSessions().inUse(session);
    const std::string url = remoteUrl(s, absoluteRemote(s, remote));
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(runtime::nativePath(runtime::view(local)).c_str(), "rb"));
    if (!file) runtime::raiseError(runtime::errorFromErrno(errno));
    struct stat info {};
    if (::fstat(fileno(file.get()), &info) != 0) runtime::raiseError(runtime::errorFromErrno(errno));
    if (S_ISDIR(info.st_mode)) runtime::raiseError(runtime::err::FileAccessFailed);
    TransferResult result;
    prepare(s, url, result);
    CURL* const h = s.easy.get();
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_READFUNCTION, &readUpload);
    curl_easy_setopt(h, CURLOPT_READDATA, file.get());
    curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(info.st_size));
    s.easy.perform(result);
    if (result.code != CURLE_OK) {
        if (std::ferror(file.get())) result.localError = runtime::err::FileAccessFailed;
        raiseTransferError(result, Service::Ftp);
    }
}

extern "C" void PV$FTPCHDIR(std::int16_t session, const PvString* folder) {
    FtpSession& s = ftpSessions().inUse(session);
    const std::string target = absoluteRemote(s, folder);
    const TransferResult result = runCommands(s, {"CWD " + target, "PWD"});
    const std::string named = folderFromReplies(result);
    s.folder = named.empty() ? target : named;
}

extern "C" void PV$FTPMKDIR(std::int16_t session, const PvString* folder) {
    FtpSession& s = ftpSessions().inUse(session);
    runCommands(s, {"MKD " + absoluteRemote(s, folder)});
}

extern "C" void PV$FTPRMDIR(std::int16_t session, const PvString* folder) {
    FtpSession& s = ftpSessions().inUse(session);
    runCommands(s, {"RMD " + absoluteRemote(s, folder)});
}

extern "C" void PV$FTPDELETE(std::int16_t session, const PvString* remote) {
    FtpSession& s = ftpSessions().inUse(session);
    runCommands(s, {"DELE " + absoluteRemote(s, remote)});
}

extern "C" const PvString* PV$FTPCRDIR(std::int16_t session) {
    const FtpSession& s = ftpSessions().inUse(session);
    // A folder name CP932 cannot hold comes back as the server's bytes.
    return runtime::returnString(runtime::fromUtf8Exact(s.folder).value_or(s.folder));
}

extern "C" void PV$FTPCLOSE(std::int16_t session) { ftpSessions().close(session); }
