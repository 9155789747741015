#include "diary/viewer/layout.hpp"

#include <algorithm>
#include <cmath>

namespace diary {

namespace {

int whole(float value) { return static_cast<int>(std::lround(value)); }

}  // namespace

FormSize minimumFormSize(int width, int height) {
    return {std::max(width, kMinimumFormWidth), std::max(height, kMinimumFormHeight)};
}

Area pictureArea(int formWidth, int formHeight, int frame, int caption) {
    return {formWidth - 2 * frame, formHeight - caption - frame - kTopBarHeight};
}

ScrollRange scrollRange(float displaySide, int viewportSide) {
    const float excess = displaySide - static_cast<float>(viewportSide);
    if (excess <= 0) return {0, 1};
    // A scroll bar's range is a 16-bit number: a larger excess is scaled to 10000 units.
    if (excess > 32767) return {10000, excess / 10000.0f};
    return {whole(excess), 1};
}

ViewerLayout layOut(float displayWidth, float displayHeight, int formWidth, int formHeight, int frame, int caption,
                    int positionX, int positionY) {
    ViewerLayout l;
    l.area = pictureArea(formWidth, formHeight, frame, caption);
    const int areaWidth = l.area.width, areaHeight = l.area.height;
    const int bar = kScrollBarThickness;
    const float w = displayWidth, h = displayHeight;
    const int wi = whole(w), hi = whole(h);

    l.needHorizontal = w > static_cast<float>(areaWidth);
    l.needVertical = h > static_cast<float>(areaHeight);
    // A bar takes room from the other direction: check the missing one again, in this order.
    if (!l.needHorizontal && l.needVertical && w > static_cast<float>(areaWidth - bar)) l.needHorizontal = true;
    if (!l.needVertical && l.needHorizontal && h > static_cast<float>(areaHeight - bar)) l.needVertical = true;

    l.positionX = positionX;
    l.positionY = positionY;
    if (!l.needHorizontal && !l.needVertical) {
        // The whole image fits: centred, nothing to scroll.
        l.positionX = l.positionY = 0;
        l.viewportWidth = wi;
        l.viewportHeight = hi;
        l.viewportX = (areaWidth - wi) / 2;
        l.viewportY = (areaHeight - hi) / 2;
    } else if (l.needHorizontal && !l.needVertical) {
        l.positionY = 0;
        l.viewportWidth = areaWidth;
        l.viewportHeight = hi;
        l.viewportY = (areaHeight - hi - bar) / 2;
        l.horizontalX = 0;
        l.horizontalY = l.viewportY + hi + kTopBarHeight;
    } else if (!l.needHorizontal && l.needVertical) {
        l.positionX = 0;
        l.viewportWidth = wi;
        l.viewportHeight = areaHeight;
        l.viewportX = (areaWidth - wi - bar) / 2;
        l.verticalX = l.viewportX + wi;
        l.verticalY = kTopBarHeight;
    } else {
        l.viewportWidth = areaWidth - bar;
        l.viewportHeight = areaHeight - bar;
        l.horizontalX = 0;
        l.horizontalY = l.viewportHeight + kTopBarHeight;
        l.verticalX = l.viewportWidth;
        l.verticalY = kTopBarHeight;
        l.cornerButton = true;
    }
    if (l.needHorizontal) {
        l.horizontal = scrollRange(w, l.viewportWidth);
        l.positionX = std::clamp(l.positionX, 0, l.horizontal.range);
    }
    if (l.needVertical) {
        l.vertical = scrollRange(h, l.viewportHeight);
        l.positionY = std::clamp(l.positionY, 0, l.vertical.range);
    }
    l.separatorEnd = areaWidth - 1;
    return l;
}

}  // namespace diary
