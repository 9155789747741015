#pragma once
// The reading loop every header-keyed data file shares. It walks the field stream,
// skipping empty, comment ("'") and separator lines, and hands back one header entry at
// a time; the caller applies the entries it knows and reads their list lines from the
// same reader. A header that does not split (no "_", or number 0) is fatal: next()
// throws HeaderError with the caption and text the program shows before it ends, and
// nothing may be written after it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/data_error.hpp"
#include "runtime/field_reader.hpp"

namespace common {

struct HeaderEntry {
    std::int16_t number = 0;
    std::string key;
    std::string value;
    // True when the entry was written by this version or an earlier one; a later
    // version's entry is not applied (and its list lines are not read).
    bool applies = false;
    // Where the header field starts in the text (bytes), for messages that name its line.
    std::size_t offset = 0;
    // 1.. for a line that equals one of the reader's marker lines (no value is read
    // after it; number, key and value stay empty); 0 for a header.
    int marker = 0;
};

// How the caption of a header error is formed.
enum class HeaderCaption {
    // The bad header + "←ヘッダーエラー" (basic data and environment files).
    BadHeaderOnly,
    // The key of the last good header, two blanks, the bad header + "←ヘッダーエラー"
    // (the trade files).
    WithLastKey,
};

// A header that does not split: the caption names the header (and, in the trade files,
// the last key), the text the file.
class HeaderError : public DataError {
public:
    using DataError::DataError;
};

class HeaderReader {
public:
    // `errorText` is the message naming the file ("KANKYO.TXTの上記のヘッダーを修正して下さい").
    HeaderReader(runtime::FieldReader& in, std::int16_t dataVersion, std::string errorText,
                 HeaderCaption caption);

    // Lines that are handed back as they are, before any header split: the record
    // markers of the trade files. The n-th of them comes back with marker = n.
    void setMarkers(std::vector<std::string> markers) { markers_ = std::move(markers); }

    // The next header entry, or nothing at the end of the file. Throws HeaderError.
    std::optional<HeaderEntry> next();

    // The reader the entries come from, for the list lines a header announces.
    runtime::FieldReader& in() { return in_; }

private:
    runtime::FieldReader& in_;
    std::int16_t dataVersion_;
    std::string errorText_;
    HeaderCaption caption_;
    std::string lastKey_;
    std::vector<std::string> markers_;
};

// The line (from 1) that holds the byte at `offset`; CR LF, LF and CR each end a line.
int lineAt(std::string_view text, std::size_t offset);

// True for a field the reading loop skips: empty, a comment, or the separator line.
bool isSkippedField(const std::string& field);

}  // namespace common
