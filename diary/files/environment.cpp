#include "diary/files/environment.hpp"

#include "common/header.hpp"
#include "common/header_reader.hpp"
#include "common/field_text.hpp"
#include "common/lenient_number.hpp"
#include "common/text_file.hpp"
#include "runtime/numbers.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace diary {

namespace {

const std::string& sectionKey(int section) {
    static const std::array<std::string, kWindowSectionCount> keys = {
        "メイン・ウインドウ"_sj,         "ＣＧ用ウインドウ"_sj,         "取引基本設定・ウインドウ"_sj,
        "オプション設定・ウインドウ"_sj, "メモ・ウインドウ"_sj, "整理データ表示・ウインドウ"_sj,
    };
    return keys[static_cast<std::size_t>(section)];
}

constexpr int kChart = static_cast<int>(WindowSection::Chart);

}  // namespace

EnvironmentReadResult readEnvironment(std::string_view text, Environment& env) {
    runtime::FieldReader in(text);
    common::HeaderReader headers(in, common::kDataVersion, "KANKYO.TXTの上記のヘッダーを修正して下さい"_sj,
                                 common::HeaderCaption::BadHeaderOnly);
    // A position line is a label field and a number field.
    const auto number = [&in]() {
        in.readField();
        return runtime::val(in.readField());
    };
    EnvironmentReadResult found;
    while (auto e = headers.next()) {
        if (!e->applies) continue;
        bool isSection = false;
        for (int s = 0; s < kWindowSectionCount; ++s) {
            if (e->key != sectionKey(s)) continue;
            isSection = true;
            if (s == kChart) {
                env.chartWindowWidth = common::int16OrZero(number());
                env.chartWindowHeight = common::int16OrZero(number());
            }
            WindowPlace place;
            place.x = common::singleOrZero(number());
            place.y = common::singleOrZero(number());
            env.windows[static_cast<std::size_t>(s)] = place;
            if (s == kChart) env.zoomIndex = common::int16OrZero(number());
        }
        if (isSection) continue;
        if (e->key == "基本データ設定格納パス"_sj) {
            env.basicDataFolder = e->value;
            found.basicDataFolder = true;
        } else if (e->key == "取引中データ設定格納パス"_sj) {
            env.tradeDataFolder = env.recordedTradeFolder = e->value;
            found.tradeDataFolder = true;
        } else if (e->key == "基チャートＣＧ設定格納パス"_sj) {
            env.chartSourceFolder = e->value;
            found.chartSourceFolder = true;
        } else if (e->key == "バックアップ格納パス"_sj) {
            env.backupFolder = e->value;
            found.backupFolder = true;
        }
    }
    return found;
}

std::string writeEnvironment(const Environment& env, bool relocated) {
    common::TextFileWriter w;
    const auto folder = [&w](const std::string& key, const std::string& path) {
        w.header(key, common::quotedField(path));
        w.separator();
    };
    w.separator();
    w.line("'ここから下は各項目の数値のみ変更可能"_sj);
    w.line("'ヘッダー部分は変更禁止"_sj);
    w.separator();
    for (int s = 0; s < kWindowSectionCount; ++s) {
        const WindowPlace place = env.windows[static_cast<std::size_t>(s)].value_or(WindowPlace{});
        w.header(sectionKey(s), "5");
        if (s == kChart) {
            w.line("横サイズ,"_sj + runtime::numberText(static_cast<std::int32_t>(env.chartWindowWidth)));
            w.line("縦サイズ,"_sj + runtime::numberText(static_cast<std::int32_t>(env.chartWindowHeight)));
        }
        w.line("Ｘ座標位置,"_sj + runtime::numberText(place.x));
        w.line("Ｙ座標位置,"_sj + runtime::numberText(place.y));
        if (s == kChart) w.line("倍率,"_sj + runtime::numberText(static_cast<std::int32_t>(env.zoomIndex)));
        w.separator();
    }
    folder("基本データ設定格納パス"_sj, env.basicDataFolder);
    folder("取引中データ設定格納パス"_sj, relocated ? env.recordedTradeFolder : env.tradeDataFolder);
    folder("基チャートＣＧ設定格納パス"_sj, env.chartSourceFolder);
    if (env.backupEnabled == 1) folder("バックアップ格納パス"_sj, env.backupFolder);
    w.line();
    return w.take();
}

}  // namespace diary
