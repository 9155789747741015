// Feeds arbitrary bytes to the header-keyed reading loop the way a data-file reader uses
// it (announced list lines read from the same stream), and to the normalisers of typed
// numbers, none of which may fail on any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/digit_code.hpp"
#include "common/header.hpp"
#include "common/header_reader.hpp"
#include "common/number_input.hpp"
#include "runtime/numbers.hpp"

namespace {

void readHeaders(const std::string& text) {
    runtime::FieldReader in(text);
    common::HeaderReader reader(in, common::kDataVersion, "E", common::HeaderCaption::WithLastKey);
    try {
        for (int guard = 0; guard < 100000; ++guard) {
            const auto entry = reader.next();
            if (!entry) return;
            if (!entry->applies) continue;
            const double count = runtime::val(entry->value);
            for (int i = 0; i < count && i < 64; ++i) reader.in().readField();
        }
        __builtin_trap();  // the loop must reach the end of any finite text
    } catch (const common::HeaderError&) {
    }
}

void normalise(const std::string& text) {
    std::string a = text, b, c;
    common::PX$IBOX_SUB(a, static_cast<float>(text.size() % 5));
    a = text;
    common::PX$EDIT38_SUB(a, b);
    common::splitPriceInput(text, b, c);
    float sum = 0;
    std::string price;
    common::PX$EDIT23_SUB(text, text, price, b, c, sum);
    std::int16_t x = 0, y = 0;
    common::PX$EDIT456_SUB(text, text, text, x, y, sum);
    common::PX$STR2VAL_SUB(sum, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    readHeaders(text);
    if (size < 64) normalise(text);
    return 0;
}
