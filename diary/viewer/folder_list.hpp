#pragma once
// The chart viewer's folder list: the images of a folder in the order ← and → step through
// them, and the viewer's title. Names are CP932 texts without their folder.

#include <string>
#include <vector>

namespace diary {

// The names that "*.BMP" matches, then those "*.JPG" matches (without regard to case), out
// of a folder's regular-file names in listing order.
std::vector<std::string> imageNames(const std::vector<std::string>& fileNames);

// Sorts the list in place by a bubble sort on the upper-cased names, ascending; a list of
// one name or none is left alone.
void PV$ソート_SUB(std::vector<std::string>& names);

// The index of `name` in the list; a name that is not there (the file went away, or it is
// not a BMP or JPG) gives 0, the first image.
int indexOfName(const std::vector<std::string>& names, const std::string& name);

// One step of ← (-1) or → (+1) through `count` images: below 0 to the last, past the
// last to the first.
int stepIndex(int index, int delta, int count);

// The viewer's title for an image name (CP932): "表示中の画像「" + name + "」", or empty.
std::string viewerTitle(const std::string& imageName);

}  // namespace diary
