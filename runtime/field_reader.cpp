#include "runtime/field_reader.hpp"

namespace runtime {

namespace {

// Comma, quote, blank, tab, CR, LF and 0x1A are never the trail byte of a two-byte CP932
// character, so the reader scans bytes and still never splits a character.
constexpr char kComma = ',';
constexpr char kQuote = '"';
constexpr char kEndOfFile = '\x1A';

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

FieldReader::FieldReader(std::string_view text) : text_(text) {
    const auto eof = text_.find(kEndOfFile);
    if (eof != std::string_view::npos) text_ = text_.substr(0, eof);
}

bool FieldReader::atEnd() const { return pos_ >= text_.size(); }

std::string FieldReader::readField() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;

    std::string field;
    if (pos_ < text_.size() && text_[pos_] == kQuote) {
        ++pos_;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != kQuote && !isLineEnd(text_[pos_])) ++pos_;
        field.assign(text_.substr(start, pos_ - start));
        // Whatever follows the closing quote up to the field's end is not part of it.
        while (pos_ < text_.size() && text_[pos_] != kComma && !isLineEnd(text_[pos_])) ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != kComma && !isLineEnd(text_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > start && isBlank(text_[end - 1])) --end;
        field.assign(text_.substr(start, end - start));
    }

    if (pos_ < text_.size()) {
        if (text_[pos_] == kComma)
            ++pos_;  // the next field starts on this line, even when it is empty
        else
            skipLineEnd();
    }
    return field;
}

std::string FieldReader::readLine() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !isLineEnd(text_[pos_])) ++pos_;
    std::string line(text_.substr(start, pos_ - start));
    skipLineEnd();
    return line;
}

void FieldReader::skipLineEnd() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
}

}  // namespace runtime
