#pragma once
// The chart viewer's state between events: the image shown and its folder, the two
// bitmap objects (the loaded source and the scaled display copy), the numbers of the
// last layout and the scroll and drag positions.

#include <cstdint>
#include <string>
#include <vector>

#include "diary/viewer/layout.hpp"
#include "toolkit/toolkit.hpp"

namespace diary {

enum class ViewerMode : std::int16_t { Trade = 0, Catalogue = 1, Review = 2 };

struct ViewerState {
    std::string imageFolder;   // ends in "/"
    std::string imageName;     // with extension, no folder; empty: none
    std::string imagePath;     // the file to load
    std::string previousPath;  // shown before the last ← / →: the fall-back of a failed load
    // The folder's images in ← / → order, and the one shown.
    std::vector<std::string> folderNames;
    int currentIndex = 0;

    ObjectVar sourceBitmap = 0, displayBitmap = 0;
    // Whether each bitmap object holds a bitmap: a failed load leaves the source empty,
    // and then there is no display copy either.
    bool sourceLoaded = false, displayLoaded = false;
    float sourceWidth = 400, sourceHeight = 300;
    float scale = 1;
    std::int16_t scaleIndex = 1;
    float displayWidth = 0, displayHeight = 0;

    LayoutKey last;
    int formWidth = 400, formHeight = 300;
    int areaWidth = 0, areaHeight = 0;
    int viewportWidth = 0, viewportHeight = 0;
    bool needHorizontal = false, needVertical = false;
    int rangeX = 0, rangeY = 0;
    float stepX = 1, stepY = 1;
    int positionX = 0, positionY = 0;
    float offsetX = 0, offsetY = 0;
    int dragX = 0, dragY = 0;
    int cornerState = 1;
    std::int16_t imageLoaded = 0;
    std::int16_t loadFailed = 0;
    ViewerMode mode = ViewerMode::Trade;
    // The choice combo box clicked last (its number as in the choice-change command), and
    // the one whose catalogue is open.
    std::int16_t clickedCombo = 0, catalogueCombo = 0;
};

}  // namespace diary
