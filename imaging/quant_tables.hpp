#pragma once
// The encoder's quantisation tables: each coefficient is interpolated between three
// anchor tables, M at quality 50, F at 99 and R at 0.

#include <array>
#include <cstdint>

namespace imaging {

using QuantTable = std::array<std::uint8_t, 64>;  // zig-zag order

// Quality outside 0..99 counts as 75.
int effectiveQuality(int quality);
QuantTable encoderQuantTable(int quality, bool chroma);

// The anchors, zig-zag order.
const QuantTable& quantAnchorM(bool chroma);
const QuantTable& quantAnchorF(bool chroma);
const QuantTable& quantAnchorR(bool chroma);

}  // namespace imaging
