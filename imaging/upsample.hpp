#pragma once
// Chroma upsampling by two: each output sample weighs its own source sample 3/4 and the
// nearer neighbour 1/4 (horizontally, and for 2x2 also vertically). Edges repeat the
// outermost sample.

#include <cstdint>

namespace imaging {

// `width` source samples -> 2 * width output samples.
void upsampleHorizontal(const std::uint8_t* in, int width, std::uint8_t* out);
// `near` is the chroma row the output row falls in, `far` the adjacent one on its side.
void upsampleBoth(const std::uint8_t* near, const std::uint8_t* far, int width, std::uint8_t* out);

}  // namespace imaging
