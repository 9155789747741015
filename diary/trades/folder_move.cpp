#include "diary/trades/folder_move.hpp"

#include <algorithm>

namespace diary {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upperCased(std::string_view s) {
    std::string u(s);
    std::transform(u.begin(), u.end(), u.begin(), upper);
    return u;
}

}  // namespace

std::vector<std::string> recordChartNames(const TradeRecord& r) {
    std::vector<std::string> names;
    const auto add = [&names](const std::string& name) {
        if (!name.empty()) names.push_back(name);
    };
    for (std::size_t c = 1; c <= 5; ++c) add(r.memoChart[c]);
    add(r.stopChart);
    for (std::size_t k = 1; k <= kOptionCount; ++k) add(r.options[k].chart);
    for (std::size_t g = 1; g <= kGroupCount; ++g) add(r.groups[g].chart);
    return names;
}

std::vector<std::string> chartsToTransfer(const TradeTable& table) {
    std::vector<std::string> names;
    for (const std::string& name : chartNamesOf(table))
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    return names;
}

std::vector<std::string> chartNamesOf(const TradeTable& table) {
    std::vector<std::string> names;
    for (int n = 0; n <= table.lastIndex && n < table.slots(); ++n)
        for (std::string& name : recordChartNames(table.at(n))) names.push_back(std::move(name));
    return names;
}

int dropChart(TradeTable& table, const std::string& name) {
    int dropped = 0;
    const auto clear = [&](std::string& slot) {
        if (slot.empty() || slot != name) return;
        slot.clear();
        ++dropped;
    };
    for (int n = 0; n <= table.lastIndex && n < table.slots(); ++n) {
        TradeRecord& r = table.at(n);
        for (std::size_t c = 1; c <= 5; ++c) clear(r.memoChart[c]);
        clear(r.stopChart);
        // Only blocks the record has: a block is not made to be looked at.
        for (std::size_t k = 1; k <= kOptionCount; ++k)
            if (r.options.holds(k)) clear(r.options[k].chart);
        for (std::size_t g = 1; g <= kGroupCount; ++g)
            if (r.groups.holds(g)) clear(r.groups[g].chart);
    }
    return dropped;
}

bool sameImageName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

void PX$ＣＧ削除_SUB(const std::string& name, const std::vector<std::string>& names, std::vector<int>& flags) {
    if (name.empty()) return;
    flags.resize(std::max(flags.size(), names.size()), 0);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (sameImageName(names[i], name)) flags[i] = 1;
}

std::vector<std::string> imagesToDelete(const std::vector<std::string>& listed, const std::vector<std::string>& kept,
                                        std::string_view unreadText) {
    std::vector<int> flags(listed.size(), 0);
    for (const std::string& name : kept) PX$ＣＧ削除_SUB(name, listed, flags);
    const std::string unread = upperCased(unreadText);
    std::vector<std::string> deletable;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (flags[i] == 1) continue;
        if (!unread.empty() && unread.find(upperCased(listed[i])) != std::string::npos) continue;
        deletable.push_back(listed[i]);
    }
    return deletable;
}

}  // namespace diary
