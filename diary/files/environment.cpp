#include "diary/files/environment.hpp"

#include "common/header.hpp"
#include "common/header_reader.hpp"
#include "common/lenient_number.hpp"
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
    std::string out;
    const auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    const auto header = [&line](const std::string& key, const std::string& value) {
        std::string h;
        common::PX$ヘッダー結合_SUB(common::kDataVersion, key, h);
        line(h + value);
    };
    const auto quoted = [](const std::string& s) { return "\"" + s + "\""; };
    const std::string& sep = common::kSeparatorLine;

    line(sep);
    line("'ここから下は各項目の数値のみ変更可能"_sj);
    line("'ヘッダー部分は変更禁止"_sj);
    line(sep);
    for (int s = 0; s < kWindowSectionCount; ++s) {
        const WindowPlace place = env.windows[static_cast<std::size_t>(s)].value_or(WindowPlace{});
        header(sectionKey(s), "5");
        if (s == kChart) {
            line("横サイズ,"_sj + runtime::numberText(static_cast<std::int32_t>(env.chartWindowWidth)));
            line("縦サイズ,"_sj + runtime::numberText(static_cast<std::int32_t>(env.chartWindowHeight)));
        }
        line("Ｘ座標位置,"_sj + runtime::numberText(place.x));
        line("Ｙ座標位置,"_sj + runtime::numberText(place.y));
        if (s == kChart) line("倍率,"_sj + runtime::numberText(static_cast<std::int32_t>(env.zoomIndex)));
        line(sep);
    }
    header("基本データ設定格納パス"_sj, quoted(env.basicDataFolder));
    line(sep);
    header("取引中データ設定格納パス"_sj, quoted(relocated ? env.recordedTradeFolder : env.tradeDataFolder));
    line(sep);
    header("基チャートＣＧ設定格納パス"_sj, quoted(env.chartSourceFolder));
    line(sep);
    if (env.backupEnabled == 1) {
        header("バックアップ格納パス"_sj, quoted(env.backupFolder));
        line(sep);
    }
    line("");
    return out;
}

}  // namespace diary
