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
        // One quoting rule for every field: what was read writes back and reads again whole.
        if (diary::writeBasicData(again) != written) __builtin_trap();
    } catch (const common::DataError&) {
    }
    try {
        diary::Environment env;
        diary::readEnvironment(text, env);
        const std::string written = diary::writeEnvironment(env, size % 2 == 0);
        diary::Environment again;
        diary::readEnvironment(written, again);
        again.backupEnabled = env.backupEnabled;
        if (diary::writeEnvironment(again, size % 2 == 0) != written) __builtin_trap();
    } catch (const common::DataError&) {
    }
    return 0;
}
