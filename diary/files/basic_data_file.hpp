#pragma once
// "基本データ.TXT": reading text into the basic data and writing it back line for line.
// Pure functions over the text; filling the controls is the screens' work.

#include <stdexcept>
#include <string>
#include <string_view>

#include "diary/files/basic_data.hpp"

namespace diary {

// A list in the file announces more elements than its list can hold. The message names
// the file and the key, for the stop message before the program ends.
class ListCapacityError : public std::runtime_error {
public:
    ListCapacityError(std::string key, std::size_t offset, std::string message)
        : std::runtime_error("list capacity exceeded"), key_(std::move(key)), offset_(offset),
          message_(std::move(message)) {}
    const std::string& key() const { return key_; }
    // Where the list's header starts in the text (bytes).
    std::size_t offset() const { return offset_; }
    const std::string& message() const { return message_; }

private:
    std::string key_;
    std::size_t offset_ = 0;
    std::string message_;
};

// Applies the file's entries to `data` (entries of a later data version are skipped).
// Throws common::HeaderError for a bad header and ListCapacityError for a count beyond
// a list's capacity; in both cases the program stops without writing anything.
void readBasicData(std::string_view text, BasicData& data);

// The whole file, in the layout the diary and the editor both write. A name or choice
// that the reader would split or trim (a comma, blanks at an end) is written in double
// quotes, so that it reads back whole; every other text is written as it is.
std::string writeBasicData(const BasicData& data);

}  // namespace diary
