#pragma once
// A data file that cannot be used as it stands: a bad header, a list longer than its
// capacity, a hand-edited value the program cannot work with. The program shows the
// caption and the text (which names the file) and ends before anything is written;
// quillon-data names the line that holds `offset`.

#include <cstddef>
#include <exception>
#include <string>

namespace common {

class DataError : public std::exception {
public:
    DataError(std::string caption, std::string text, std::size_t offset = 0)
        : caption_(std::move(caption)), text_(std::move(text)), offset_(offset) {}
    const std::string& caption() const { return caption_; }
    const std::string& text() const { return text_; }
    // Where the faulty line starts in the file's text (bytes).
    std::size_t offset() const { return offset_; }
    const char* what() const noexcept override { return "data file error"; }

private:
    std::string caption_;
    std::string text_;
    std::size_t offset_ = 0;
};

}  // namespace common
