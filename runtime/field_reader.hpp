#pragma once
// Field and line input over the bytes of a text file, as the runtime's input statements
// read it. Fields form one stream across lines:
//  * blanks (space, tab) before a field are skipped;
//  * an unquoted field ends at a comma or at the end of the line and loses its trailing
//    blanks;
//  * a field in double quotes may hold commas; it ends at the closing quote (or at the
//    end of the line when the quote is not closed); bytes between the closing quote and
//    the next comma or line end are dropped;
//  * after a comma the next field is read on the same line (it may be empty); after the
//    last field of a line the next read continues on the next line.
// Lines end in CR LF, LF or CR; a missing final line end is accepted. A 0x1A byte ends
// the file. Nothing here fails on any input: reading past the end gives "".

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime {

class FieldReader {
public:
    explicit FieldReader(std::string_view text);

    // True when no byte is left to read.
    bool atEnd() const;
    // The next field of the stream.
    std::string readField();
    // The rest of the current line, commas and quotes kept, without its line end.
    std::string readLine();
    // Bytes consumed so far; every read that is not at the end consumes at least one.
    std::size_t position() const { return pos_; }

private:
    void skipLineEnd();

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace runtime
