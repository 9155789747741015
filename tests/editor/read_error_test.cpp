// The editor's message for a file it cannot read: a header that does not split is named
// by its whole line; other faults keep the shared reader's message.
#include <gtest/gtest.h>

#include <string>

#include "common/basic_data/basic_data_file.hpp"
#include "common/header_reader.hpp"
#include "editor/model/read_error.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace {

common::DataError readError(const std::string& text) {
    common::BasicData d = common::defaultBasicData();
    try {
        common::readBasicData(text, d);
    } catch (const common::DataError& e) {
        return editor::editorReadError(e, text);
    }
    ADD_FAILURE() << "the file was read";
    return common::DataError("", "");
}

}  // namespace

TEST(ReadError, ABadHeaderIsNamedByItsLineAboveTheRequest) {
    struct Case {
        const char* text;
        const char* line;
    } cases[] = {
        {"0300_取引ナンバー,48\r\nストック量,10\r\n", "ストック量,10"},
        {"0000_ストック量,10\r\n0300_注文枚数,5\r\n", "0000_ストック量,10"},
        {"0301_通貨ペア,1\r\nUSD/JPY", "USD/JPY"},
        {"0300_ストック量,10\nbad\n", "bad"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const common::DataError e = readError(runtime::fromUtf8(c.text));
        EXPECT_EQ(e.caption(), "ヘッダーエラー"_sj);
        EXPECT_EQ(e.text(), runtime::fromUtf8(std::string(c.line) + "←ヘッダーエラー\r\n基本データ.TXTの上記のヘッダーを修正して下さい"));
    }
}

TEST(ReadError, OtherFaultsKeepTheReadersMessage) {
    const common::DataError e = readError("0300_通貨ペア,21\r\n"_sj);
    EXPECT_EQ(e.caption(), "通貨ペア←項目数エラー"_sj);
    EXPECT_EQ(e.text(), "基本データ.TXTの通貨ペアの項目数 21は最大20を超えています"_sj);
}
