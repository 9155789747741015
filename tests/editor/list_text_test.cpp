// Lists as the text of an edit box and back: the line breaks between items, the one
// trailing empty line that is dropped, the capacity and the file's field rule.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "editor/model/list_text.hpp"

using editor::checkListText;
using editor::editLines;
using editor::ListFault;
using editor::listItems;

TEST(ListText, ItemsAreJoinedByCrLfWithNoneAfterTheLast) {
    const std::array<std::string, 4> items = {"unset", "A", "", "C"};
    EXPECT_EQ(editor::PX$SETEDIT_SUB(3, items), "A\r\n\r\nC");
    EXPECT_EQ(editor::PX$SETEDIT_SUB(1, items), "A");
    EXPECT_EQ(editor::PX$SETEDIT_SUB(0, items), "");
    EXPECT_EQ(editor::PX$SETEDIT_SUB(-1, items), "");
}

TEST(ListText, TextToItemsDropsOneTrailingEmptyLineOnly) {
    struct Case {
        const char* text;
        std::vector<std::string> items;
    } cases[] = {
        {"", {}},
        {"A", {"A"}},
        {"A\r\nB\r\n", {"A", "B"}},
        {"A\r\nB\r\n\r\n", {"A", "B", ""}},
        {"A\r\n\r\nC", {"A", "", "C"}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        // A lone LF or CR ends a line as CR LF does.
        {"A\nB\rC\n", {"A", "B", "C"}},
        {" A ", {" A "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(listItems(c.text), c.items);
    }
    EXPECT_EQ(editLines("A\r\n").size(), 2u);
}

TEST(ListText, ListToTextAndBackGivesTheItems) {
    const std::array<std::string, 5> items = {"unset", "USD/JPY", "", ",", "EUR/JPY"};
    const std::vector<std::string> expected(items.begin() + 1, items.end());
    EXPECT_EQ(listItems(editor::PX$SETEDIT_SUB(4, items)), expected);
}

TEST(ListText, TooManyItemsAndUnwritableLinesAreFound) {
    std::string twenty, twentyOne;
    for (int i = 1; i <= 20; ++i) twenty += "L" + std::to_string(i) + "\r\n";
    twentyOne = twenty + "L21";
    struct Case {
        std::string text;
        ListFault::Kind kind;
        int items, line;
    } cases[] = {
        {twenty, ListFault::None, 20, 0},  // 21 lines, the last one empty
        {twenty + "\r\n", ListFault::TooManyItems, 21, 0},
        {twentyOne, ListFault::TooManyItems, 21, 0},
        {"a,b\r\n,", ListFault::None, 2, 0},
        {"a\"b", ListFault::None, 1, 0},
        {"ok\r\nx\",y", ListFault::Unwritable, 2, 2},
        {"\"quoted", ListFault::Unwritable, 1, 1},
        {"a\x1a", ListFault::Unwritable, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ListFault f = checkListText(c.text, 20);
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_EQ(f.items, c.items);
        EXPECT_EQ(f.line, c.line);
    }
}
