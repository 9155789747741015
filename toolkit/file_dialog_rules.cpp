#include "toolkit/file_dialog_rules.hpp"

#include "platform/file_path.hpp"
#include "runtime/sjis.hpp"

namespace toolkit {

namespace {

// The separators and parentheses of the filter syntax are single bytes that never occur
// as the second byte of a double-byte character, so the text can be cut at them bytewise.
std::vector<std::string_view> entriesOf(std::string_view filter) {
    std::vector<std::string_view> entries;
    while (true) {
        const auto end = filter.find(';');
        entries.push_back(filter.substr(0, end));
        if (end == std::string_view::npos) break;
        filter.remove_prefix(end + 1);
    }
    return entries;
}

constexpr std::size_t mostConvertedBytes = 1024;

}  // namespace

std::optional<std::vector<platform::FileFilter>> parseFilter(std::string_view filter) {
    static const std::string everyFile = runtime::fromUtf8("すべてのﾌｧｲﾙ(*.*)");
    if (filter.empty()) filter = everyFile;
    std::vector<platform::FileFilter> pairs;
    std::size_t converted = 1;  // the list's closing NUL
    for (const std::string_view entry : entriesOf(filter)) {
        const auto open = entry.find('(');
        const auto close = entry.rfind(')');
        if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::nullopt;
        platform::FileFilter pair{std::string(entry), {}};
        for (const char c : entry.substr(open + 1, close - open - 1)) {
            if (c == ' ' || c == '\t') continue;
            pair.patterns += c == ',' ? ';' : c;
        }
        converted += pair.display.size() + 1 + pair.patterns.size() + 1;
        if (converted > mostConvertedBytes) return std::nullopt;
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

StartPlace startPlace(std::string_view initialPath, std::string_view currentFolder) {
    const std::string absolute = platform::absolutePath(initialPath, currentFolder);
    const auto slash = absolute.rfind('/');
    StartPlace place;
    place.file = absolute.substr(slash + 1);
    place.folder = slash == 0 ? std::string("/") : absolute.substr(0, slash);
    return place;
}

}  // namespace toolkit
