#include "diary/viewer/scrolling.hpp"

#include <cmath>

namespace diary {

int pageStep(int range) { return range > 10 ? range / 10 : 1; }

DragAxis dragAxis(float offset, int delta, float displaySide, int viewportSide, float step) {
    float moved = offset - static_cast<float>(delta);
    if (moved < 0) moved = 0;
    if (displaySide - moved < static_cast<float>(viewportSide)) moved = displaySide - static_cast<float>(viewportSide);
    const long wholeStep = std::lround(step);
    const long position = std::lround(moved) / (wholeStep > 0 ? wholeStep : 1);
    return {moved, static_cast<int>(position)};
}

CornerJump cornerJump(int state, int rangeX, int rangeY) {
    if (state == 0) return {1, 0, 0, "┛"};
    return {0, rangeX, rangeY, "┏"};
}

}  // namespace diary
