#include "runtime/pv_string.hpp"

#include <utility>

namespace runtime {

const PvString* returnString(std::string value) {
    static std::string held;
    static PvString result;
    held = std::move(value);
    result = pvString(held);
    return &result;
}

}  // namespace runtime
