// The chart viewer's copies, measured in one run against a plain per-pixel reference: a
// 1600 x 1200 chart stretched into an 800 x 600 picture (the zoomed-out view), and an
// 800 x 600 part of it copied 1:1 (a drag of the zoomed-in view), as pixels per second and
// as frames per second. Aims (not enforced): each copy at least 60 frames a second, and
// not slower than the reference.
//
//   bitmap_bench [--runs N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "platform/pixel_buffer.hpp"
#include "platform/pixel_copy.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double secondsOf(int runs, const std::function<void(int)>& work) {
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) work(i);
    return std::chrono::duration<double>(Clock::now() - start).count() / runs;
}

// The reference: every destination pixel read and written through the buffer's own
// pixel accessors.
void referenceStretch(const platform::PixelBuffer& src, const platform::Rect& from, platform::PixelBuffer& dst,
                      const platform::Rect& to) {
    for (int y = 0; y < to.h; ++y)
        for (int x = 0; x < to.w; ++x)
            dst.setPixel(to.x + x, to.y + y,
                         src.pixel(from.x + static_cast<int>(static_cast<long long>(x) * from.w / to.w),
                                   from.y + static_cast<int>(static_cast<long long>(y) * from.h / to.h)));
}

void report(const char* what, double seconds, double reference) {
    std::printf("%-34s %8.3f ms  %7.1f frames/s  reference %8.3f ms  ratio %.2f\n", what, seconds * 1e3, 1 / seconds,
                reference * 1e3, seconds / reference);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    platform::PixelBuffer chart(1600, 1200, 0);
    for (int y = 0; y < chart.height(); ++y)
        for (int x = 0; x < chart.width(); ++x) chart.setPixel(x, y, static_cast<platform::Colour>(x * 7 + y * 13));
    platform::PixelBuffer picture(800, 600, 0xFFFFFF), check(800, 600, 0xFFFFFF);

    const platform::Rect whole{0, 0, 1600, 1200}, view{0, 0, 800, 600};
    const double stretch = secondsOf(runs, [&](int) { platform::stretchPixels(chart, whole, picture, view); });
    const double stretchRef = secondsOf(runs, [&](int) { referenceStretch(chart, whole, check, view); });
    if (!(picture == check)) return std::puts("the stretch and the reference differ"), 1;
    report("stretch 1600x1200 into 800x600", stretch, stretchRef);

    // A drag: the view moves by a few pixels each frame.
    auto part = [](int i) { return platform::Rect{(i * 7) % 800, (i * 5) % 600, 800, 600}; };
    const double drag = secondsOf(runs, [&](int i) { platform::copyPixels(chart, part(i), picture, 0, 0); });
    const double dragRef = secondsOf(runs, [&](int i) { referenceStretch(chart, part(i), check, view); });
    if (!(picture == check)) return std::puts("the copy and the reference differ"), 1;
    report("copy 800x600 of 1600x1200 (drag)", drag, dragRef);
    return 0;
}
