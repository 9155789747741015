#include "platform/metrics.hpp"

#include <algorithm>

namespace platform {

int frameWidth(const Metrics& m, std::uint32_t style, std::uint32_t exStyle) {
    if (style & style::ThickFrame) return m.sizingFrame;
    if ((exStyle & style::ExDlgModalFrame) || (style & style::DlgFrame)) return m.dialogFrame;
    if (style & style::Border) return m.borderWidth;
    return 0;
}

namespace {
int topExtra(const Metrics& m, std::uint32_t style, bool hasMenu) {
    int top = 0;
    if ((style & style::Caption) == style::Caption) top += m.captionHeight;
    if (hasMenu) top += m.menuHeight;
    return top;
}
}  // namespace

Rect clientRect(const Metrics& m, const Rect& outer, std::uint32_t style, std::uint32_t exStyle, bool hasMenu) {
    const int f = frameWidth(m, style, exStyle);
    const int top = topExtra(m, style, hasMenu);
    return {outer.x + f, outer.y + f + top, std::max(0, outer.w - 2 * f), std::max(0, outer.h - 2 * f - top)};
}

Rect outerRect(const Metrics& m, const Rect& client, std::uint32_t style, std::uint32_t exStyle, bool hasMenu) {
    const int f = frameWidth(m, style, exStyle);
    const int top = topExtra(m, style, hasMenu);
    return {client.x - f, client.y - f - top, client.w + 2 * f, client.h + 2 * f + top};
}

int fontPixelSize(int points) {
    const int px = std::max(2, points * 96 / 72);
    return px - px % 2;
}

}  // namespace platform
