#pragma once
// The chart viewer's scale: the factor of each entry of the scale choice and the size of
// the display copy it gives. Plain numbers, no windows.

#include <array>

namespace diary {

// The scale choice's entries, index 0 to 11, as UTF-8 (the screen converts them once).
inline constexpr std::array<const char*, 12> kScaleEntries = {
    "等倍", "縦合わせ", "横合わせ", "×０.９", "×０.８", "×０.７", "×０.６", "×０.５", "×０.４", "×０.３", "×０.２", "×０.１"};
inline constexpr int kFitHeightEntry = 1;

// The factor of entry `index`: 1 for "等倍", the area over the source (never above 1) for
// the two fits, 0.9 down to 0.1 for the fixed factors. Any other index (no selection)
// keeps `current`. All in single precision, as the viewer's numbers are.
float scaleFor(int index, float current, float areaWidth, float areaHeight, float sourceWidth, float sourceHeight);

// The display copy's size: the source's times the scale, cut to whole pixels; a side that
// would be 0 pixels keeps the source's size. At scale 1 it is the source's size.
struct DisplaySize {
    float width = 0, height = 0;
};
DisplaySize displaySize(float sourceWidth, float sourceHeight, float scale);

}  // namespace diary
