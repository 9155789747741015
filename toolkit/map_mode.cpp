#include "toolkit/map_mode.hpp"

#include <cmath>

#include "runtime/events.hpp"
#include "runtime/window_system.hpp"
#include "toolkit/checks.hpp"

namespace toolkit {

namespace {

constexpr double pixelsPerInch = 96.0;

// Units per inch of modes 2 to 6.
double unitsPerInch(int mode) {
    switch (mode) {
    case 2: return 254.0;
    case 3: return 2540.0;
    case 4: return 100.0;
    case 5: return 1000.0;
    case 6: return 1440.0;
    default: return pixelsPerInch;
    }
}

}  // namespace

int mapModeOf(platform::Handle window) {
    if (const platform::Window* w = runtime::model().find(window)) return w->mapMode;
    return runtime::model().bitmapMapMode(window);
}

int positionMapMode(platform::Handle window) {
    const platform::Window* w = runtime::model().find(window);
    return mapModeOf(w && !w->isForm() ? w->parent : window);
}

void setMapMode(platform::Handle window, int mode) {
    if (platform::Window* w = runtime::model().change(window)) w->mapMode = mode;
    else runtime::model().setBitmapMapMode(window, mode);
    // Mouse events report points in the scale of the window they happen in.
    runtime::setMapModeConversion([](platform::Handle w, int x, int y) {
        const platform::Window* win = runtime::model().find(w);
        const bool own = win && (win->isForm() || win->kind == platform::Kind::PictureBox);
        const int m = own ? mapModeOf(w) : positionMapMode(w);
        return std::pair<float, float>(fromPixels(x, m), fromPixels(y, m));
    });
}

int toPixels(float value, int mode, std::uint32_t operation, std::uint32_t check, int overflowError) {
    const double pixels = std::round(static_cast<double>(value) * pixelsPerInch / unitsPerInch(mode));
    if (!std::isfinite(pixels) || pixels > 2147483647.0 || pixels < -2147483648.0)
        fail(overflowError, operation, check);
    return static_cast<int>(pixels);
}

float fromPixels(int pixels, int mode) {
    return static_cast<float>(static_cast<double>(pixels) * unitsPerInch(mode) / pixelsPerInch);
}

}  // namespace toolkit
