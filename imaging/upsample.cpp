#include "imaging/upsample.hpp"

namespace imaging {

void upsampleHorizontal(const std::uint8_t* in, int width, std::uint8_t* out) {
    for (int i = 0; i < width; ++i) {
        const int centre = 3 * in[i];
        const int left = in[i > 0 ? i - 1 : 0];
        const int right = in[i + 1 < width ? i + 1 : i];
        // Alternating rounding keeps the average level unbiased.
        out[2 * i] = static_cast<std::uint8_t>((centre + left + 1) >> 2);
        out[2 * i + 1] = static_cast<std::uint8_t>((centre + right + 2) >> 2);
    }
}

void upsampleBoth(const std::uint8_t* near, const std::uint8_t* far, int width, std::uint8_t* out) {
    int previous = 3 * near[0] + far[0];
    int current = previous;
    for (int i = 0; i < width; ++i) {
        const int next = i + 1 < width ? 3 * near[i + 1] + far[i + 1] : current;
        out[2 * i] = static_cast<std::uint8_t>((3 * current + previous + 8) >> 4);
        out[2 * i + 1] = static_cast<std::uint8_t>((3 * current + next + 7) >> 4);
        previous = current;
        current = next;
    }
}

}  // namespace imaging
