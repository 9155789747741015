#pragma once
// What the network tests share: runtime strings for arguments, the error a call raises,
// a temporary folder, whole files, and a port on which nothing listens.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "runtime/error.hpp"
#include "runtime/pv_string.hpp"

namespace net_test {

// Runtime strings that live as long as the Args object.
class Args {
public:
    const runtime::PvString* operator()(std::string text) {
        texts_.push_back(std::move(text));
        strings_.push_back(runtime::pvString(texts_.back()));
        return &strings_.back();
    }

private:
    std::deque<std::string> texts_;
    std::deque<runtime::PvString> strings_;
};

// The run-time error number `call` raises; 0 when it returns.
template <class Call>
int errorOf(Call&& call) {
    try {
        call();
    } catch (const runtime::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quill-net-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The names in a folder, to show that a failed download left nothing beside the target.
inline std::size_t entryCount(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A port of 127.0.0.1 on which nothing listens (bound and released at once).
inline int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

// A host name the resolver refuses without asking any name server: its first label is
// longer than the 63 bytes a DNS label may hold.
inline std::string unresolvableName() { return std::string(64, 'a') + ".invalid"; }

// The bytes the HTTP test server sends for /bytes/N.
inline std::string patternBytes(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return bytes;
}

}  // namespace net_test
