#include "imaging/huffman.hpp"

#include <cstring>

namespace imaging {

bool buildHuffmanDecoder(const std::uint8_t counts[16], const std::uint8_t* symbols, int symbolCount,
                         HuffmanDecoder& table) {
    std::memset(table.fast, 0, sizeof table.fast);
    std::memcpy(table.symbols, symbols, static_cast<std::size_t>(symbolCount));
    std::int32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int n = counts[length - 1];
        table.symbolOffset[length] = index - code;
        table.maxCode[length] = n > 0 ? code + n - 1 : -1;
        for (int i = 0; i < n; ++i, ++code, ++index) {
            if (code >= (1 << length) || index >= symbolCount) return false;
            if (length <= HuffmanDecoder::kLookaheadBits) {
                // Every lookahead value that starts with this code.
                const int shift = HuffmanDecoder::kLookaheadBits - length;
                for (int fill = 0; fill < (1 << shift); ++fill) {
                    table.fast[(code << shift) | fill] =
                        static_cast<std::uint16_t>((length << 8) | symbols[index]);
                }
            }
        }
        code <<= 1;
    }
    constexpr int lookahead = HuffmanDecoder::kLookaheadBits;
    for (int prefix = 0; prefix < (1 << lookahead); ++prefix) {
        table.fastAc[prefix] = 0;
        const int entry = table.fast[prefix];
        const int length = entry >> 8;
        const int run = (entry >> 4) & 15;
        const int size = entry & 15;
        if (length == 0 || size == 0 || length + size > lookahead) continue;
        const int bits = (prefix >> (lookahead - length - size)) & ((1 << size) - 1);
        const int value = bits < (1 << (size - 1)) ? bits - (1 << size) + 1 : bits;
        table.fastAc[prefix] = value * 65536 + (run << 8) + length + size;
    }
    table.defined = true;
    return index == symbolCount;
}

}  // namespace imaging
