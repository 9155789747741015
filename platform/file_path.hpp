#pragma once
// How a file dialog reads a path typed into it or given to it: made absolute against the
// folder it shows. Paths are CP932 bytes; "/" and "." never occur as the second byte of a
// double-byte character, so a path can be taken apart bytewise.

#include <string>
#include <string_view>

namespace platform {

// `path` made absolute against `base`, with "." and ".." taken away.
std::string absolutePath(std::string_view path, std::string_view base);

}  // namespace platform
