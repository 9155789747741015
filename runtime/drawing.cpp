#include "runtime/drawing.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "runtime/error.hpp"
#include "runtime/window_system.hpp"

namespace runtime {

namespace {

// Points further out than this are first clipped to the buffer, so a line with far-away
// ends costs no more than one across the buffer.
constexpr double farAway = 65536.0;

// Cuts the segment to the box [lo, hi] on both axes (Liang-Barsky); false when it misses.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double loX, double loY, double hiX, double hiY) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - loX, hiX - x0, y0 - loY, hiY - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ox = x0, oy = y0;
    x0 = ox + t0 * dx;
    y0 = oy + t0 * dy;
    x1 = ox + t1 * dx;
    y1 = oy + t1 * dy;
    return true;
}

// Bresenham from (x0, y0) to (x1, y1), both ends included; pixels outside are dropped.
platform::Rect plotLine(platform::PixelBuffer& buffer, int x0, int y0, int x1, int y1, platform::Colour colour) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    int left = buffer.width(), top = buffer.height(), right = -1, bottom = -1;
    for (;;) {
        if (x0 >= 0 && y0 >= 0 && x0 < buffer.width() && y0 < buffer.height()) {
            buffer.setPixel(x0, y0, colour);
            left = std::min(left, x0);
            right = std::max(right, x0);
            top = std::min(top, y0);
            bottom = std::max(bottom, y0);
        }
        if (x0 == x1 && y0 == y1) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
    if (right < 0) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace

void drawLine(const ObjectVar* object, float x0, float y0, float x1, float y1) {
    const auto record = getRecord(object);
    if (!record || !model().exists(record->window)) raiseError(err::ObjectInvalid);
    if (record->kind != kind::Form && record->kind != kind::PictureBox) raiseError(err::WrongObjectKind);
    for (const float v : {x0, y0, x1, y1})
        if (!std::isfinite(v)) raiseError(err::Overflow);
    platform::Model& m = model();
    const platform::Colour colour = m.find(record->window)->fore;
    m.drawInto(record->window, [&](platform::PixelBuffer& buffer) -> platform::Rect {
        double ax = std::round(x0), ay = std::round(y0), bx = std::round(x1), by = std::round(y1);
        const bool far = std::max({std::abs(ax), std::abs(ay), std::abs(bx), std::abs(by)}) > farAway;
        if (far && !clipSegment(ax, ay, bx, by, -1, -1, buffer.width(), buffer.height())) return {};
        return plotLine(buffer, static_cast<int>(std::lround(ax)), static_cast<int>(std::lround(ay)),
                        static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by)), colour);
    });
}

}  // namespace runtime
