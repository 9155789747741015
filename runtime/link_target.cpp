#include "runtime/link_target.hpp"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/error.hpp"

namespace runtime {

namespace {

// As many links in a row as the system itself follows before it calls it a loop.
constexpr int kMaxLinks = 40;

std::string linkText(const std::string& link) {
    std::string text(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(link.c_str(), text.data(), text.size());
        if (n < 0) raiseError(errorFromErrno(errno));
        // A text that fills the buffer may have been cut: read it again with more room.
        if (static_cast<std::size_t>(n) < text.size()) {
            text.resize(static_cast<std::size_t>(n));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

}  // namespace

std::string folderOf(const std::string& nativePath) {
    const auto slash = nativePath.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return nativePath.substr(0, slash);
}

LinkTarget resolveLinks(const std::string& nativePath) {
    std::string current = nativePath;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) return {current, false};
        if (!S_ISLNK(st.st_mode)) return {current, true};
        if (links == kMaxLinks) raiseError(errorFromErrno(ELOOP));
        const std::string text = linkText(current);
        current = !text.empty() && text[0] == '/' ? text : folderOf(current) + "/" + text;
    }
}

}  // namespace runtime
