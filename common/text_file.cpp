#include "common/text_file.hpp"

#include "common/header.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace common {

void TextFileWriter::line(std::string_view text) {
    out_.append(text);
    out_.append("\r\n");
}

void TextFileWriter::separator() { line(kSeparatorLine); }

void TextFileWriter::header(std::string_view key, std::string_view value) {
    std::string field;
    PX$ヘッダー結合_SUB(kDataVersion, std::string(key), field);
    out_.append(field);
    line(value);
}

std::string fullWidthNumber(int n, int width) {
    std::string digits = std::to_string(n);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return runtime::toFullWidth(digits);
}

std::string groupKey(int g) { return "グループ"_sj + fullWidthNumber(g, 2); }
std::string groupItemKey(int g, int i) { return groupKey(g) + "－"_sj + fullWidthNumber(i, 1); }
std::string optionKey(int k) { return "オプション"_sj + fullWidthNumber(k, 1); }

}  // namespace common
