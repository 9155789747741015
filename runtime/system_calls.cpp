#include "runtime/system_calls.hpp"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <utility>

namespace runtime {

namespace {

std::atomic<const SystemCalls*>& current() {
    static std::atomic<const SystemCalls*> table{&realSystemCalls()};
    return table;
}

}  // namespace

const SystemCalls& realSystemCalls() {
    static const SystemCalls real{
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        [](int fd, const void* bytes, std::size_t count) { return ::write(fd, bytes, count); },
        [](int fd) { return ::fsync(fd); },
        [](int fd) { return ::close(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
    return real;
}

const SystemCalls& systemCalls() { return *current().load(); }

SystemCallsOverride::SystemCallsOverride(SystemCalls calls)
    : calls_(std::move(calls)), previous_(current().exchange(&calls_)) {}

SystemCallsOverride::~SystemCallsOverride() { current().store(previous_); }

}  // namespace runtime
