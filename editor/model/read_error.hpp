#pragma once
// The message the editor shows when "基本データ.TXT" cannot be used. A header that does
// not split is named by its whole line, above the request to mend it; every other fault
// of the file keeps the shared reader's message.

#include <string_view>

#include "common/data_error.hpp"

namespace editor {

// `text` is the file the error was raised on.
common::DataError editorReadError(const common::DataError& error, std::string_view text);

}  // namespace editor
