#include "common/header_reader.hpp"

#include <algorithm>

#include "common/header.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace common {

bool isSkippedField(const std::string& field) {
    return field.empty() || field[0] == '\'' || field == kSeparatorLine;
}

int lineAt(std::string_view text, std::size_t offset) {
    int line = 1;
    const std::size_t end = std::min(offset, text.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') ++line;
        else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) ++line;
    }
    return line;
}

HeaderReader::HeaderReader(runtime::FieldReader& in, std::int16_t dataVersion,
                           std::string errorText, HeaderCaption caption)
    : in_(in), dataVersion_(dataVersion), errorText_(std::move(errorText)), caption_(caption) {}

std::optional<HeaderEntry> HeaderReader::next() {
    for (;;) {
        if (in_.atEnd()) return std::nullopt;
        const std::size_t offset = in_.position();
        std::string h = in_.readField();
        if (isSkippedField(h)) continue;
        HeaderEntry entry;
        entry.offset = offset;
        if (const auto m = std::find(markers_.begin(), markers_.end(), h); m != markers_.end()) {
            entry.marker = static_cast<int>(m - markers_.begin()) + 1;
            return entry;
        }
        entry.value = in_.readField();
        // A failed split leaves the key as it was: the trade files' caption names the
        // last key that split cleanly.
        PX$ヘッダー分離_SUB(entry.number, lastKey_, h);
        if (entry.number == 0) {
            std::string caption = h + "←ヘッダーエラー"_sj;
            if (caption_ == HeaderCaption::WithLastKey) caption = lastKey_ + "  " + caption;
            throw HeaderError(std::move(caption), errorText_, offset);
        }
        entry.key = lastKey_;
        entry.applies = entry.number <= dataVersion_;
        return entry;
    }
}

}  // namespace common
