#pragma once
// A trade names each of its chart images by a file name alone, in the chart folder. A
// hand-edited trade file can name one with a folder in it ("../x.jpg", "a/b.jpg"), which
// would reach outside the chart folder: such a name is refused, never followed.

#include <string>

namespace diary {

// True, after telling the user, when `name` is not one plain file name. An empty name
// (no image) is not refused.
bool refusedChartName(const std::string& name);

}  // namespace diary
