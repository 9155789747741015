#include "common/align.hpp"

#include <algorithm>

#include "runtime/error.hpp"
#include "runtime/strings.hpp"

namespace common {

void PX$文字列整理_SUB(std::vector<std::string>& alignList, std::int16_t mode, std::int16_t count) {
    if (count <= 0) return;
    if (static_cast<std::size_t>(count) >= alignList.size())
        runtime::raiseError(runtime::err::SubscriptOutOfRange);
    long w = 0;
    for (int i = 1; i <= count; ++i) w = std::max(w, static_cast<long>(alignList[i].size()));
    if (w <= 0) return;
    alignList[0] = runtime::spaces(w);
    for (int i = 1; i <= count; ++i) {
        const long len = static_cast<long>(alignList[i].size());
        std::string a = runtime::spaces(w);
        long start = w - len + 1;
        if (mode == 0) start = 1;
        else if (mode == 1) start = (w - len) / 2 + 1;
        if (len > 0) runtime::midReplace(a, start, len, alignList[i]);
        alignList[i] = std::move(a);
    }
}

void PX$文字列整理_SUB2(std::int16_t width, std::int16_t mode, const std::string& text,
                       std::string& result) {
    const long n = width - static_cast<long>(text.size());
    if (n <= 0) {
        result = text;
        return;
    }
    const long h = n / 2;
    switch (mode) {
    case 0: result = text + runtime::spaces(n); break;
    case 1: result = runtime::spaces(h) + text + runtime::spaces(n - h); break;
    case 2: result = runtime::spaces(n) + text; break;
    default: break;
    }
}

}  // namespace common
