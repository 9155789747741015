#pragma once
// The system calls the file routines make when they write a data file (the safe rewrite,
// the append channel), reached through one table. The table is the system's own calls;
// a test replaces it for a scope to make the disk fill up, a sync fail or a rename be
// refused at a chosen call, and sees what the routines leave behind. The calls keep the
// system's contract: -1 with errno set on failure.

#include <sys/types.h>

#include <cstddef>
#include <functional>

namespace runtime {

struct SystemCalls {
    std::function<int(const char* path, int flags, mode_t mode)> open;
    std::function<ssize_t(int fd, const void* bytes, std::size_t count)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;
};

// The system's own calls.
const SystemCalls& realSystemCalls();
// The table in force: the system's own calls unless a SystemCallsOverride is alive.
const SystemCalls& systemCalls();

// Puts `calls` in force until the guard goes; guards nest, each one restoring the table
// that was in force before it. Meant for tests, on one thread at a time.
class SystemCallsOverride {
public:
    explicit SystemCallsOverride(SystemCalls calls);
    ~SystemCallsOverride();
    SystemCallsOverride(const SystemCallsOverride&) = delete;
    SystemCallsOverride& operator=(const SystemCallsOverride&) = delete;

private:
    SystemCalls calls_;
    const SystemCalls* previous_;
};

}  // namespace runtime
