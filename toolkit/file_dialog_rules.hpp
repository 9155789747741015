#pragma once
// The rules of the open and save dialogs that do not depend on who shows them: the
// program's compact filter syntax and where the dialog starts.
//
// A filter is entries separated by ";", each a description followed by its patterns in
// parentheses, the patterns separated by ",": "画像(*.JPG, *.BMP);すべて(*.*)". Each entry
// becomes a pair: the entry as written to show, and the patterns without blanks, joined
// by ";" ("*.JPG;*.BMP").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.hpp"

namespace toolkit {

// The pairs of a filter; nothing when an entry has no pair of parentheses or the pairs
// would take more than 1024 bytes. An empty filter is the single entry "すべてのﾌｧｲﾙ(*.*)".
std::optional<std::vector<platform::FileFilter>> parseFilter(std::string_view filter);

// Where a dialog starts: the initial path made absolute against `currentFolder`
// (platform::absolutePath), split at its last "/". The folder has no trailing "/" unless
// it is the root ("/").
struct StartPlace {
    std::string folder;
    std::string file;
};
StartPlace startPlace(std::string_view initialPath, std::string_view currentFolder);

}  // namespace toolkit
