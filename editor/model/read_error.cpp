#include "editor/model/read_error.hpp"

#include "common/header_reader.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace editor {

common::DataError editorReadError(const common::DataError& error, std::string_view text) {
    if (dynamic_cast<const common::HeaderError*>(&error) == nullptr) return error;
    const std::size_t start = std::min(error.offset(), text.size());
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    return common::DataError("ヘッダーエラー"_sj,
                             std::string(line) + "←ヘッダーエラー\r\n"_sj + "基本データ.TXTの上記のヘッダーを修正して下さい"_sj,
                             error.offset());
}

}  // namespace editor
