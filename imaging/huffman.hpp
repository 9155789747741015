#pragma once
// Huffman tables of the decoder: a 9-bit lookahead table answers most codes with one
// lookup; longer codes fall back to the canonical per-length bounds.

#include <cstdint>

#include "imaging/bit_reader.hpp"

namespace imaging {

struct HuffmanDecoder {
    static constexpr int kLookaheadBits = 9;
    // (code length << 8) | symbol for every 9-bit prefix whose code is that short; 0 else.
    std::uint16_t fast[1 << kLookaheadBits];
    // Largest code of each length (-1 when none), and the offset from a code of that
    // length to its symbol's index.
    std::int32_t maxCode[17];
    std::int32_t symbolOffset[17];
    std::uint8_t symbols[256];
    // For AC tables: (value << 16) | (zero run << 8) | bits used, for every 9-bit prefix
    // that holds a whole code and the value bits after it; 0 else.
    std::int32_t fastAc[1 << kLookaheadBits];
    bool defined = false;
};

// Builds `table` from the 16 code counts and the symbols of a table segment. False when
// the counts do not describe a prefix code (more codes than a length can hold).
bool buildHuffmanDecoder(const std::uint8_t counts[16], const std::uint8_t* symbols, int symbolCount,
                         HuffmanDecoder& table);

// The next symbol, or -1 for a bit pattern that is no code of the table.
__attribute__((always_inline)) inline int decodeSymbol(BitReader& reader, const HuffmanDecoder& table) {
    const std::uint16_t entry = table.fast[reader.peek(HuffmanDecoder::kLookaheadBits)];
    if (entry != 0) {
        reader.skip(entry >> 8);
        return entry & 0xFF;
    }
    const std::int32_t code16 = static_cast<std::int32_t>(reader.peek(16));
    for (int length = HuffmanDecoder::kLookaheadBits + 1; length <= 16; ++length) {
        const std::int32_t code = code16 >> (16 - length);
        if (code <= table.maxCode[length]) {
            reader.skip(length);
            return table.symbols[code + table.symbolOffset[length]];
        }
    }
    return -1;
}

}  // namespace imaging
