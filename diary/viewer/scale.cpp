#include "diary/viewer/scale.hpp"

#include <cmath>

namespace diary {

float scaleFor(int index, float current, float areaWidth, float areaHeight, float sourceWidth, float sourceHeight) {
    // A fit never enlarges: a small image is shown at its own size.
    const auto fit = [](float room, float size) {
        const float s = room / size;
        return s > 1.0f ? 1.0f : s;
    };
    if (index == 0) return 1.0f;
    if (index == 1) return fit(areaHeight, sourceHeight);
    if (index == 2) return fit(areaWidth, sourceWidth);
    if (index >= 3 && index <= 11) return static_cast<float>(10 - index + 2) / 10.0f;
    return current;
}

DisplaySize displaySize(float sourceWidth, float sourceHeight, float scale) {
    if (scale == 1.0f) return {sourceWidth, sourceHeight};
    // The product is a single, as the viewer's variables are; INT cuts it.
    const auto side = [scale](float source) {
        const float product = source * scale;
        const float whole = std::floor(product);
        return whole == 0.0f ? source : whole;
    };
    return {side(sourceWidth), side(sourceHeight)};
}

}  // namespace diary
