#pragma once
// The typical Huffman tables the encoder writes and codes with (DC and AC, luminance and
// chrominance), and the canonical codes built from them.

#include <array>
#include <cstdint>
#include <vector>

namespace imaging {

struct HuffmanSpec {
    std::array<std::uint8_t, 16> counts;  // codes of length 1..16
    std::vector<std::uint8_t> symbols;
};

const HuffmanSpec& typicalDcLuma();
const HuffmanSpec& typicalDcChroma();
const HuffmanSpec& typicalAcLuma();
const HuffmanSpec& typicalAcChroma();

struct HuffmanEncoder {
    std::uint16_t code[256] = {};
    std::uint8_t length[256] = {};  // 0: the symbol has no code
};

HuffmanEncoder buildHuffmanEncoder(const HuffmanSpec& spec);

}  // namespace imaging
