#pragma once
// "KANKYO.TXT": where the six diary windows stood, the chart window's size and zoom, and
// the four storage folders. Pure text <-> model; moving windows and checking folders is
// the start-up's work.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace diary {

// The window sections in the order of the file: MAINFORM, FORM2 (chart), FORM3 (trade),
// FORM6 (options), FORM4 (memo), FORM5 (closed trades).
enum class WindowSection { Main, Chart, Trade, Options, Memo, ClosedTrades };
inline constexpr int kWindowSectionCount = 6;

struct WindowPlace {
    float x = 0, y = 0;
};

struct Environment {
    std::array<std::optional<WindowPlace>, kWindowSectionCount> windows{};  // read or to write
    std::int16_t chartWindowWidth = 400, chartWindowHeight = 300;
    std::int16_t zoomIndex = 1;
    std::string basicDataFolder;
    std::string tradeDataFolder;
    std::string recordedTradeFolder;
    std::string chartSourceFolder;
    std::string backupFolder;
    std::int16_t backupEnabled = 0;
};

// What a reading found, beyond the values it stored into the environment: the folders
// the file named, for the folder checks that follow in this order.
struct EnvironmentReadResult {
    bool basicDataFolder = false, tradeDataFolder = false, chartSourceFolder = false, backupFolder = false;
};

// Applies the entries of "KANKYO.TXT". Throws common::HeaderError for a bad header.
// Backups stay off: they are switched on by the check of the backup folder that follows.
EnvironmentReadResult readEnvironment(std::string_view text, Environment& env);

// The whole file. Every window section is written, with the positions in `env.windows`
// (0, 0 where none is known). `relocated`: the chosen trade-data folder is a relocated
// one, so the previously recorded folder is written instead.
std::string writeEnvironment(const Environment& env, bool relocated);

}  // namespace diary
