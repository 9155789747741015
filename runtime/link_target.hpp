#pragma once
// Where a write to a path lands. A data file may be a symbolic link into another folder
// (a "基本データ.TXT" linked into a synced folder): rewriting it must update the file the
// link points to and leave the link a link, so the writers follow links themselves
// instead of renaming over the link.

#include <string>

namespace runtime {

struct LinkTarget {
    std::string path;  // native path of the file itself, no link left at its end
    bool exists = false;  // false when no entry of that name is there yet (or it cannot be seen)
};

// Follows the symbolic links at the end of `nativePath`, through chains of links and
// link texts relative to the link's own folder, to the file they name. A link whose
// target does not exist yet gives that target, not existing. More than 40 links in a row
// is the error of a link loop. Links among the folders of the path are left to the
// system: they do not change which folder the file is in.
LinkTarget resolveLinks(const std::string& nativePath);

// The folder part of a native path: "." for a bare name, "/" for a name in the root.
std::string folderOf(const std::string& nativePath);

}  // namespace runtime
