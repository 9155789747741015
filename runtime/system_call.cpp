#include "runtime/system_call.hpp"

#include <algorithm>
#include <cctype>
#include <string>

#include "runtime/error.hpp"
#include "runtime/window_system.hpp"

namespace runtime {

namespace {

bool sameLibrary(std::string_view given, std::string_view name) {
    const auto upper = [](std::string_view s) {
        std::string u(s);
        std::ranges::transform(u, u.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return u;
    };
    const std::string g = upper(given), n = upper(name);
    return g == n || g == n + ".DLL";
}

std::int32_t systemMetric(std::int32_t index) {
    const platform::Metrics& m = model().metrics;
    switch (index) {
    case 0: return m.screenWidth;
    case 1: return m.screenHeight;
    case 2:
    case 3: return m.scrollBarWidth;
    case 4: return m.captionHeight;
    case 5:
    case 6: return m.borderWidth;
    case 7:
    case 8: return m.dialogFrame;
    case 15: return m.menuHeight;
    case 31: return m.captionHeight - m.borderWidth;
    case 32:
    case 33: return m.sizingFrame;
    case 45:
    case 46: return m.clientEdge;
    default: return 0;
    }
}

}  // namespace

std::int32_t callSystemFunction(std::string_view library, std::string_view function,
                                std::span<const std::int32_t> arguments) {
    if (sameLibrary(library, "USER32") && function == "GetSystemMetrics" && arguments.size() == 1)
        return systemMetric(arguments[0]);
    raiseError(err::IllegalArgument);
}

}  // namespace runtime
