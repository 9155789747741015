#pragma once
// Entropy decoding of one block, for each kind of scan. Each returns false when the data
// holds no valid code or a run past the end of the block; the decoder then treats the
// data as ending there.

#include <cstdint>

#include "imaging/bit_reader.hpp"
#include "imaging/huffman.hpp"

namespace imaging {

// Sequential scan: writes the dequantised block in natural order (saturated to 16 bits).
bool decodeBaselineBlock(BitReader& reader, const HuffmanDecoder& dc, const HuffmanDecoder& ac,
                         int& prediction, const std::uint16_t* quant, std::int16_t* block);

// Progressive scans keep quantised coefficients in natural order.
bool decodeDcFirst(BitReader& reader, const HuffmanDecoder& dc, int& prediction, int al, std::int16_t* block);
bool decodeDcRefine(BitReader& reader, int al, std::int16_t* block);
bool decodeAcFirst(BitReader& reader, const HuffmanDecoder& ac, int ss, int se, int al, int& eobRun,
                   std::int16_t* block);
bool decodeAcRefine(BitReader& reader, const HuffmanDecoder& ac, int ss, int se, int al, int& eobRun,
                    std::int16_t* block);

}  // namespace imaging
