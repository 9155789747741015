// Chroma upsampling: the 3/4-1/4 filter with its alternating rounding, for every width
// (the vector path handles eight samples at a time, the edges and tails one by one).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "imaging/upsample.hpp"

namespace {

TEST(Upsample, MatchesTheFilterAtEveryWidth) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int width = 1; width <= 45; ++width) {
        std::vector<std::uint8_t> near(width), far(width);
        for (int i = 0; i < width; ++i) {
            near[i] = static_cast<std::uint8_t>(i % 9 == 0 ? 255 : byte(random));
            far[i] = static_cast<std::uint8_t>(i % 7 == 0 ? 255 : byte(random));
        }
        const auto at = [&](const std::vector<std::uint8_t>& v, int i) { return int{v[std::clamp(i, 0, width - 1)]}; };
        std::vector<std::uint8_t> horizontal(2 * width), both(2 * width);
        imaging::upsampleHorizontal(near.data(), width, horizontal.data());
        imaging::upsampleBoth(near.data(), far.data(), width, both.data());
        for (int i = 0; i < width; ++i) {
            ASSERT_EQ(horizontal[2 * i], (3 * at(near, i) + at(near, i - 1) + 1) / 4) << width << " " << i;
            ASSERT_EQ(horizontal[2 * i + 1], (3 * at(near, i) + at(near, i + 1) + 2) / 4) << width << " " << i;
            const auto column = [&](int j) { return 3 * at(near, j) + at(far, j); };
            ASSERT_EQ(both[2 * i], (3 * column(i) + column(i - 1) + 8) / 16) << width << " " << i;
            ASSERT_EQ(both[2 * i + 1], (3 * column(i) + column(i + 1) + 7) / 16) << width << " " << i;
        }
    }
}

}  // namespace
