#include "common/header_reader.hpp"

#include "common/header.hpp"
#include "runtime/sjis.hpp"

using namespace runtime::literals;

namespace common {

bool isSkippedField(const std::string& field) {
    return field.empty() || field[0] == '\'' || field == kSeparatorLine;
}

HeaderReader::HeaderReader(runtime::FieldReader& in, std::int16_t dataVersion,
                           std::string errorText, HeaderCaption caption)
    : in_(in), dataVersion_(dataVersion), errorText_(std::move(errorText)), caption_(caption) {}

std::optional<HeaderEntry> HeaderReader::next() {
    for (;;) {
        if (in_.atEnd()) return std::nullopt;
        std::string h = in_.readField();
        if (isSkippedField(h)) continue;
        HeaderEntry entry;
        entry.value = in_.readField();
        // A failed split leaves the key as it was: the trade files' caption names the
        // last key that split cleanly.
        PX$ヘッダー分離_SUB(entry.number, lastKey_, h);
        if (entry.number == 0) {
            std::string caption = h + "←ヘッダーエラー"_sj;
            if (caption_ == HeaderCaption::WithLastKey) caption = lastKey_ + "  " + caption;
            throw HeaderError(std::move(caption), errorText_);
        }
        entry.key = lastKey_;
        entry.applies = entry.number <= dataVersion_;
        return entry;
    }
}

}  // namespace common
