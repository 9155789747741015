#pragma once
// The typical Huffman tables the encoder writes and codes with (DC and AC, luminance and
// chrominance), and the canonical codes built from them.

#include <array>
#include <cstdint>
#include <vector>

namespace imaging {

struct HuffmanTableData {
    std::array<std::uint8_t, 16> counts;  // codes of length 1..16
    std::vector<std::uint8_t> symbols;
};

const HuffmanTableData& typicalDcLuma();
const HuffmanTableData& typicalDcChroma();
const HuffmanTableData& typicalAcLuma();
const HuffmanTableData& typicalAcChroma();

struct HuffmanEncoder {
    std::uint16_t code[256] = {};
    std::uint8_t length[256] = {};  // 0: the symbol has no code
};

HuffmanEncoder buildHuffmanEncoder(const HuffmanTableData& data);

}  // namespace imaging
