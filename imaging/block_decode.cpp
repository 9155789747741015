#include "imaging/block_decode.hpp"

#include <algorithm>
#include <cstring>

#include "imaging/jpeg_frame.hpp"

namespace imaging {

namespace {

std::int16_t saturate16(int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); }

// Keeps a corrupt stream's DC sum from growing without bound.
void addToPrediction(int& prediction, int diff) { prediction = std::clamp(prediction + diff, -32768, 32767); }

bool decodeDc(BitReader& reader, const HuffmanDecoder& dc, int& prediction) {
    const int size = decodeSymbol(reader, dc);
    if (size < 0 || size > 11) return false;
    addToPrediction(prediction, reader.receiveExtend(size));
    return true;
}

}  // namespace

bool decodeBaselineBlock(BitReader& reader, const HuffmanDecoder& dc, const HuffmanDecoder& ac,
                         int& prediction, const std::uint16_t* quant, std::int16_t* block) {
    std::memset(block, 0, 64 * sizeof(std::int16_t));
    if (!decodeDc(reader, dc, prediction)) return false;
    block[0] = saturate16(prediction * quant[0]);
    for (int k = 1; k < 64;) {
        // Most codes come with their value bits within the next 9 bits.
        const std::int32_t fast = ac.fastAc[reader.peek(HuffmanDecoder::kLookaheadBits)];
        if (fast != 0) {
            reader.skip(fast & 0xFF);
            k += (fast >> 8) & 15;
            if (k > 63) return false;
            const int natural = kZigZag[k];
            block[natural] = saturate16((fast >> 16) * quant[natural]);
            ++k;
            continue;
        }
        const int symbol = decodeSymbol(reader, ac);
        if (symbol < 0) return false;
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0) {
            if (run != 15) break;  // end of block
            k += 16;
            continue;
        }
        k += run;
        if (k > 63) return false;
        const int natural = kZigZag[k];
        block[natural] = saturate16(reader.receiveExtend(size) * quant[natural]);
        ++k;
    }
    return true;
}

bool decodeDcFirst(BitReader& reader, const HuffmanDecoder& dc, int& prediction, int al, std::int16_t* block) {
    if (!decodeDc(reader, dc, prediction)) return false;
    block[0] = saturate16(prediction * (1 << al));
    return true;
}

bool decodeDcRefine(BitReader& reader, int al, std::int16_t* block) {
    if (reader.bits(1) != 0) block[0] = static_cast<std::int16_t>(block[0] | (1 << al));
    return true;
}

bool decodeAcFirst(BitReader& reader, const HuffmanDecoder& ac, int ss, int se, int al, int& eobRun,
                   std::int16_t* block) {
    if (eobRun > 0) {
        --eobRun;
        return true;
    }
    for (int k = ss; k <= se;) {
        const std::int32_t fast = ac.fastAc[reader.peek(HuffmanDecoder::kLookaheadBits)];
        if (fast != 0) {
            reader.skip(fast & 0xFF);
            k += (fast >> 8) & 15;
            if (k > se) return false;
            block[kZigZag[k]] = saturate16((fast >> 16) * (1 << al));
            ++k;
            continue;
        }
        const int symbol = decodeSymbol(reader, ac);
        if (symbol < 0) return false;
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0) {
            if (run == 15) {
                k += 16;
                continue;
            }
            // This block and (2^run - 1 + extra bits) more end here.
            eobRun = (1 << run) - 1 + static_cast<int>(reader.bits(run));
            return true;
        }
        k += run;
        if (k > se) return false;
        block[kZigZag[k]] = saturate16(reader.receiveExtend(size) * (1 << al));
        ++k;
    }
    return true;
}

bool decodeAcRefine(BitReader& reader, const HuffmanDecoder& ac, int ss, int se, int al, int& eobRun,
                    std::int16_t* block) {
    const int plus = 1 << al;
    const int minus = -plus;
    // A coefficient that is already non-zero gets one more bit of precision.
    const auto refine = [&](std::int16_t& c) {
        if (reader.bits(1) != 0 && (c & plus) == 0) c = saturate16(c + (c >= 0 ? plus : minus));
    };
    int k = ss;
    if (eobRun == 0) {
        while (k <= se) {
            const int symbol = decodeSymbol(reader, ac);
            if (symbol < 0) return false;
            int run = symbol >> 4;
            const int size = symbol & 15;
            int value = 0;
            if (size != 0) {
                if (size != 1) return false;
                value = reader.bits(1) != 0 ? plus : minus;
            } else if (run != 15) {
                eobRun = (1 << run) + static_cast<int>(reader.bits(run));
                break;
            }
            // Skip `run` coefficients that are still zero, refining the non-zero ones on
            // the way; the new value lands on the next zero one.
            while (k <= se) {
                std::int16_t& c = block[kZigZag[k]];
                ++k;
                if (c != 0) {
                    refine(c);
                } else if (run == 0) {
                    if (value != 0) c = static_cast<std::int16_t>(value);
                    break;
                } else {
                    --run;
                }
            }
        }
    }
    if (eobRun > 0) {
        for (; k <= se; ++k) {
            std::int16_t& c = block[kZigZag[k]];
            if (c != 0) refine(c);
        }
        --eobRun;
    }
    return true;
}

}  // namespace imaging
