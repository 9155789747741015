#include "diary/viewer/folder_list.hpp"

#include <utility>

#include "runtime/sjis.hpp"
#include "runtime/strings.hpp"

using namespace runtime::literals;

namespace diary {

namespace {

// "*.BMP" and "*.JPG": the last extension, compared without regard to case. A two-byte
// character cannot end in ".BMP", whose bytes are all single-byte characters.
bool hasExtension(const std::string& name, const std::string& upperExtension) {
    if (name.size() < upperExtension.size()) return false;
    return runtime::upperAscii(name.substr(name.size() - upperExtension.size())) == upperExtension;
}

}  // namespace

std::vector<std::string> imageNames(const std::vector<std::string>& fileNames) {
    std::vector<std::string> names;
    for (const std::string& n : fileNames)
        if (hasExtension(n, ".BMP")) names.push_back(n);
    for (const std::string& n : fileNames)
        if (hasExtension(n, ".JPG")) names.push_back(n);
    return names;
}

void PV$ソート_SUB(std::vector<std::string>& names) {
    if (names.size() < 2) return;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < names.size(); ++i) {
            if (runtime::compare(runtime::upperAscii(names[i + 1]), runtime::upperAscii(names[i])) < 0) {
                std::swap(names[i], names[i + 1]);
                swapped = true;
            }
        }
    }
}

int indexOfName(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    return 0;
}

int stepIndex(int index, int delta, int count) {
    if (count <= 0) return 0;
    int next = index + delta;
    if (next < 0) next = count - 1;
    if (next >= count) next = 0;
    return next;
}

std::string viewerTitle(const std::string& imageName) {
    if (imageName.empty()) return {};
    return "表示中の画像「"_sj + imageName + "」"_sj;
}

}  // namespace diary
