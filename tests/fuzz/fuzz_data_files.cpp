// Feeds arbitrary bytes to the readers of "基本データ.TXT" and "KANKYO.TXT", as a
// hand-edited file would reach them. A file either reads or stops with its message;
// what reads must write back and read again to the same text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/header_reader.hpp"
#include "diary/files/basic_data_file.hpp"
#include "diary/files/environment.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        diary::BasicData basic = diary::defaultBasicData();
        diary::readBasicData(text, basic);
        const std::string written = diary::writeBasicData(basic);
        diary::BasicData again = diary::defaultBasicData();
        diary::readBasicData(written, again);
        const std::string rewritten = diary::writeBasicData(again);
        // Only a text holding a double quote may lose its tail on the way (a quoted
        // field ends at a quote); then the second writing must already be stable.
        if (text.find('"') == std::string::npos) {
            if (rewritten != written) __builtin_trap();
        } else {
            diary::BasicData third = diary::defaultBasicData();
            diary::readBasicData(rewritten, third);
            if (diary::writeBasicData(third) != rewritten) __builtin_trap();
        }
    } catch (const common::DataError&) {
    }
    try {
        diary::Environment env;
        diary::readEnvironment(text, env);
        diary::writeEnvironment(env, size % 2 == 0);
    } catch (const common::DataError&) {
    }
    return 0;
}
