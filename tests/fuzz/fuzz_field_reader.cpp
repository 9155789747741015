// Feeds arbitrary bytes to the field reader, mixing field and line reads as the input's
// first byte says, and aborts when a read neither consumes a byte nor reaches the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/field_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t choices = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    runtime::FieldReader reader(text);
    // Every read that is not at the end consumes a byte, so size reads always suffice.
    for (std::size_t i = 0; i <= text.size() && !reader.atEnd(); ++i) {
        const std::size_t before = reader.position();
        const auto piece = (choices >> (i % 8)) & 1 ? reader.readLine() : reader.readField();
        if (piece.size() > text.size()) std::abort();
        if (reader.position() <= before && !reader.atEnd()) std::abort();
        if (reader.position() > text.size()) std::abort();
    }
    if (!reader.atEnd()) std::abort();
    // Past the end every read is empty and nothing moves.
    if (!reader.readField().empty() || !reader.readLine().empty()) std::abort();
    return 0;
}
