#include "editor/model/list_text.hpp"

#include "common/field_text.hpp"

namespace editor {

std::string PX$SETEDIT_SUB(int count, std::span<const std::string> items) {
    std::string text;
    for (int i = 1; i <= count && static_cast<std::size_t>(i) < items.size(); ++i) {
        if (i > 1) text += "\r\n";
        text += items[static_cast<std::size_t>(i)];
    }
    return text;
}

std::vector<std::string> editLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] != '\r' && text[p] != '\n') continue;
        lines.emplace_back(text.substr(start, p - start));
        if (text[p] == '\r' && p + 1 < text.size() && text[p + 1] == '\n') ++p;
        start = p + 1;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string> listItems(std::string_view text) {
    std::vector<std::string> items = editLines(text);
    if (items.back().empty()) items.pop_back();
    return items;
}

ListFault checkListText(std::string_view text, int capacity) {
    const std::vector<std::string> items = listItems(text);
    ListFault fault;
    fault.items = static_cast<int>(items.size());
    if (fault.items > capacity) {
        fault.kind = ListFault::TooManyItems;
        return fault;
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!common::fieldCanHold(items[i])) {
            fault.kind = ListFault::Unwritable;
            fault.line = static_cast<int>(i) + 1;
            return fault;
        }
    return fault;
}

}  // namespace editor
