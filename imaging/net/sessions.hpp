#pragma once
// The library's 16 FTP and 16 HTTP sessions, numbered 1 to 16. A number outside that
// range is error 1005; opening a session that is open, or using one that is not, is
// error 5.

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "runtime/error.hpp"

namespace imaging::net {

inline constexpr int kSessionCount = 16;

template <class Session>
class SessionTable {
public:
    // The slot of a session about to be opened; raises when it is open already.
    std::optional<Session>& freeSlot(std::int16_t number) {
        std::optional<Session>& slot = slotOf(number);
        if (slot) runtime::raiseError(runtime::err::IllegalArgument);
        return slot;
    }

    // An open session; raises when it is not open.
    Session& inUse(std::int16_t number) {
        std::optional<Session>& slot = slotOf(number);
        if (!slot) runtime::raiseError(runtime::err::IllegalArgument);
        return *slot;
    }

    // Closes an open session (its handles with it); raises when it is not open.
    void close(std::int16_t number) {
        inUse(number);
        slotOf(number).reset();
    }

private:
    std::optional<Session>& slotOf(std::int16_t number) {
        if (number < 1 || number > kSessionCount) runtime::raiseError(runtime::err::NotAWindow);
        return slots_[static_cast<std::size_t>(number - 1)];
    }

    std::array<std::optional<Session>, kSessionCount> slots_{};
};

}  // namespace imaging::net
