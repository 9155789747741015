#include "diary/files/time_stop_file.hpp"

#include "common/field_text.hpp"
#include "common/text_file.hpp"
#include "runtime/field_reader.hpp"

namespace diary {

std::string readTimeStop(std::string_view text) {
    runtime::FieldReader in(text);
    return in.atEnd() ? std::string() : in.readField();
}

std::string writeTimeStop(const std::string& dateTime) {
    common::TextFileWriter w;
    w.line(common::quotedField(dateTime));
    return w.take();
}

}  // namespace diary
