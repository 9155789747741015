#pragma once
// Path arguments of the command-line tools: the user's locale gives UTF-8 names, the
// libraries take CP932 ones. A name CP932 cannot hold is refused with a message, never
// passed on under another name.

#include <cstdio>
#include <optional>
#include <string>

#include "runtime/sjis.hpp"

namespace tools {

// The CP932 form of the argument, or nothing after a message on standard error naming
// the tool and the argument.
inline std::optional<std::string> cp932PathArgument(const char* tool, const char* argument) {
    std::optional<std::string> name = runtime::fromUtf8Exact(argument);
    if (!name)
        std::fprintf(stderr, "%s: the name \"%s\" has characters that Shift-JIS (CP932) cannot hold; "
                             "rename the file or folder\n", tool, argument);
    return name;
}

}  // namespace tools
