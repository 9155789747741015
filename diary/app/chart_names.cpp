#include "diary/app/chart_names.hpp"

#include "common/ui/stop_message.hpp"
#include "common/value_checks.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace diary {

bool refusedChartName(const std::string& name) {
    if (name.empty() || common::isPlainFolderName(name)) return false;
    common::PV$STOP_SUB("チャートＣＧエラー"_sj, "チャートＣＧのファイル名「"_sj + name +
                                                  "」は使えません。\r\nフォルダを含まないファイル名にして下さい。"_sj);
    return true;
}

}  // namespace diary
