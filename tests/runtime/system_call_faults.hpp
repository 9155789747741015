#pragma once
// Tables of system calls for the file routines' seam: the system's own calls with one of
// them failing at a chosen call, or each of them noted as it is made, and a count of the
// descriptors the process holds, to see that a failure leaks none.

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "runtime/system_calls.hpp"

namespace testing_support {

enum class Call { Open, Write, Fsync, Close, Rename };

inline const char* callName(Call call) {
    switch (call) {
    case Call::Open: return "open";
    case Call::Write: return "write";
    case Call::Fsync: return "fsync";
    case Call::Close: return "close";
    case Call::Rename: return "rename";
    }
    return "?";
}

inline int failWith(int error) {
    errno = error;
    return -1;
}

// The system's own calls, except that call number `nth` (from 1) of `call` fails with
// `error` and does nothing, the way a full disk or a failing device answers. A failing
// close still releases the descriptor, as the system's own does.
inline runtime::SystemCalls failingCall(Call call, int nth, int error) {
    runtime::SystemCalls calls = runtime::realSystemCalls();
    const auto count = std::make_shared<int>(0);
    const auto failsNow = [count, nth] { return ++*count == nth; };
    const auto real = runtime::realSystemCalls();
    switch (call) {
    case Call::Open:
        calls.open = [=](const char* path, int flags, mode_t mode) {
            if (failsNow()) return failWith(error);
            return real.open(path, flags, mode);
        };
        break;
    case Call::Write:
        calls.write = [=](int fd, const void* bytes, std::size_t n) -> ssize_t {
            if (failsNow()) return failWith(error);
            return real.write(fd, bytes, n);
        };
        break;
    case Call::Fsync:
        calls.fsync = [=](int fd) {
            if (failsNow()) return failWith(error);
            return real.fsync(fd);
        };
        break;
    case Call::Close:
        calls.close = [=](int fd) {
            const int closed = real.close(fd);
            if (failsNow()) return failWith(error);
            return closed;
        };
        break;
    case Call::Rename:
        calls.rename = [=](const char* from, const char* to) {
            if (failsNow()) return failWith(error);
            return real.rename(from, to);
        };
        break;
    }
    return calls;
}

inline bool isFolder(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

// The system's own calls, each noted in `log` as it is made: "open file", "open folder",
// "write", "fsync file", "fsync folder", "close file", "close folder", "rename".
inline runtime::SystemCalls recordingCalls(std::vector<std::string>& log) {
    const auto real = runtime::realSystemCalls();
    const auto kind = [](bool folder) { return folder ? std::string(" folder") : std::string(" file"); };
    runtime::SystemCalls calls = real;
    calls.open = [&log, real, kind](const char* path, int flags, mode_t mode) {
        log.push_back("open" + kind((flags & O_DIRECTORY) != 0));
        return real.open(path, flags, mode);
    };
    calls.write = [&log, real](int fd, const void* bytes, std::size_t n) {
        log.push_back("write");
        return real.write(fd, bytes, n);
    };
    calls.fsync = [&log, real, kind](int fd) {
        log.push_back("fsync" + kind(isFolder(fd)));
        return real.fsync(fd);
    };
    calls.close = [&log, real, kind](int fd) {
        log.push_back("close" + kind(isFolder(fd)));
        return real.close(fd);
    };
    calls.rename = [&log, real](const char* from, const char* to) {
        log.push_back("rename");
        return real.rename(from, to);
    };
    return calls;
}

// The number of descriptors the process holds (the count's own descriptor included, the
// same every time).
inline std::size_t openDescriptors() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

}  // namespace testing_support
