#pragma once
// A call of a system function by its library's name and its own, as the programs make it
// for the window metrics ("GetSystemMetrics" in "USER32"). There is no such library on
// this system: the runtime answers the functions it knows itself, from the window system.

#include <cstdint>
#include <span>
#include <string_view>

namespace runtime {

// Calls `function` of `library` with integer arguments and gives back its integer result.
// The library is named without regard to case, with or without ".DLL"; the function
// exactly. An unknown library or function, or the wrong number of arguments, is error 5.
//
// "GetSystemMetrics" (one argument, the metric's index) answers from the window system's
// metrics (platform/metrics.hpp) with the classic indexes: 0 and 1 the screen, 2 and 3 the
// scroll bar, 4 the caption with the line under it, 5 and 6 the thin border, 7 and 8 the
// dialog frame, 15 the menu bar, 31 the caption's buttons (the caption less that line), 32
// and 33 the sizing frame, 45 and 46 the client edge. An index it does not know gives 0.
std::int32_t callSystemFunction(std::string_view library, std::string_view function,
                                std::span<const std::int32_t> arguments);

}  // namespace runtime
