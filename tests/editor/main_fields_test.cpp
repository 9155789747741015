// The main form's four fields: shown as the values' texts, taken back with the editor's
// corrections, refused where the diary would refuse the file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/basic_data/basic_data.hpp"
#include "editor/model/main_fields.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;
using editor::MainFields;

TEST(MainFields, ShownAsTheNumbersTextWithoutTheSignBlank) {
    common::BasicData d = common::defaultBasicData();
    d.defaultLots = -3;
    d.currencyUnit = 0.5f;
    EXPECT_EQ(editor::mainFieldsOf(d), (MainFields{"-3", "0.5", "10", "FXCG"}));
}

TEST(MainFields, CorrectionsWhenSaving) {
    struct Case {
        MainFields typed;
        std::int16_t lots;
        float unit;
        std::int16_t stock;
        const char* folder;
    } cases[] = {
        {{"0", "0", "3", ""}, 1, 10000, 5, "FXCG"},
        {{"abc", "", "", "CG"}, 1, 10000, 5, "CG"},
        {{"25", "1000", "9999", "チャート"}, 25, 1000, 9999, "チャート"},
        {{"2.6", "0.1", "4.5", "a b"}, 3, 0.1f, 5, "a b"},  // 4.5 rounds to the even 4
        {{"-5", "-1", "-20", "x"}, -5, -1, 5, "x"},
        {{"１２", " 7", "5.5", "y"}, 1, 7, 6, "y"},  // full-width digits are no number
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.lots + " " + c.typed.unit + " " + c.typed.stock);
        common::BasicData d = common::defaultBasicData();
        MainFields typed = c.typed;
        typed.lots = runtime::fromUtf8(typed.lots);
        typed.chartFolder = runtime::fromUtf8(typed.chartFolder);
        ASSERT_EQ(editor::takeMainFields(typed, d), std::nullopt);
        EXPECT_EQ(d.defaultLots, c.lots);
        EXPECT_FLOAT_EQ(d.currencyUnit, c.unit);
        EXPECT_EQ(d.stockCapacity, c.stock);
        EXPECT_EQ(d.chartFolderName, runtime::fromUtf8(c.folder));
    }
}

TEST(MainFields, ValuesNoCorrectionMendsAreRefusedAndNothingIsTaken) {
    struct Case {
        MainFields typed;
        const char* caption;
    } cases[] = {
        {{"10", "10000", "10000", "FXCG"}, "ストック量の設定エラー"},
        {{"10", "10000", "9999.5", "FXCG"}, "ストック量の設定エラー"},
        {{"10", "10000", "1e9", "FXCG"}, "ストック量の設定エラー"},
        {{"32768", "10000", "10", "FXCG"}, "注文枚数の設定エラー"},
        {{"-40000", "10000", "10", "FXCG"}, "注文枚数の設定エラー"},
        {{"10", "1e39", "10", "FXCG"}, "通貨単位の設定エラー"},
        {{"10", "10000", "10", "a/b"}, "ＣＧフォルダ名の設定エラー"},
        {{"10", "10000", "10", ".."}, "ＣＧフォルダ名の設定エラー"},
        {{"10", "10000", "10", "*"}, "ＣＧフォルダ名の設定エラー"},
        {{"10", "10000", "10", "x\",y"}, "ＣＧフォルダ名の設定エラー"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption + std::string(" ") + c.typed.stock + c.typed.chartFolder);
        common::BasicData d = common::defaultBasicData();
        const auto refusal = editor::takeMainFields(c.typed, d);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(refusal->caption, runtime::fromUtf8(c.caption));
        EXPECT_EQ(d.stockCapacity, 10);
        EXPECT_EQ(d.defaultLots, 10);
        EXPECT_EQ(d.chartFolderName, "FXCG");
    }
}
