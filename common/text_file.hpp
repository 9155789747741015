#pragma once
// Writing the lines of a header-keyed data file, and the full-width keys of the group and
// option blocks that the basic data, the trade files and the editor share. Every line
// ends in CR LF; header lines carry this system's data version.

#include <string>
#include <string_view>

namespace common {

class TextFileWriter {
public:
    // One line as it is.
    void line(std::string_view text = {});
    // The separator line of 33 hyphens.
    void separator();
    // The header field of `key` (number 0300, "_", the key, ",") and the value on the
    // same line; the value is written as it is.
    void header(std::string_view key, std::string_view value);

    const std::string& text() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

// n in full-width digits, zero-padded to `width` digits: (1, 2) -> "０１".
std::string fullWidthNumber(int n, int width);

// The keys of group g (1..11), its sub-item i (0..3) and option k (1..5):
// "グループ０１", "グループ０２－０", "オプション３".
std::string groupKey(int g);
std::string groupItemKey(int g, int i);
std::string optionKey(int k);

}  // namespace common
