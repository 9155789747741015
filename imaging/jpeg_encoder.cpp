#include "imaging/jpeg_encoder.hpp"

#include <emmintrin.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "imaging/bit_writer.hpp"
#include "imaging/huffman_tables.hpp"
#include "imaging/jpeg_frame.hpp"
#include "imaging/quant_tables.hpp"

namespace imaging {

namespace {

using namespace encode_result;

constexpr char kComment[] = "Quillon chart encoder";
static_assert(sizeof kComment - 1 == 21, "the comment segment is 23 bytes long");

Frame frameFor(const BmpSource& bmp, const EncodeLayout& layout) {
    Frame frame;
    frame.progressive = layout.progressive;
    frame.width = bmp.width;
    frame.height = bmp.height;
    frame.componentCount = layout.grey ? 1 : 3;
    for (int c = 0; c < frame.componentCount; ++c) {
        FrameComponent& comp = frame.components[c];
        comp.id = c + 1;
        comp.h = c == 0 ? layout.lumaH : 1;
        comp.v = c == 0 ? layout.lumaV : 1;
        comp.quantTable = c == 0 ? 0 : 1;
    }
    frame.maxH = frame.components[0].h;
    frame.maxV = frame.components[0].v;
    computeGeometry(frame);
    return frame;
}

// Quantisation: each coefficient (with its 3 fraction bits) divided by 8 x the table
// value, rounded to nearest, by a float multiplication (the kernels' quantise). The
// values stay in natural order: the coder walks them in zig-zag order through a mask
// (ZigZagMasks), which is cheaper than reordering the 64 values of every block.
struct Quantiser {
    alignas(32) float reciprocal[64];  // natural order

    explicit Quantiser(const QuantTable& q) {
        for (int k = 0; k < 64; ++k) reciprocal[kZigZag[k]] = 1.0f / (8.0f * static_cast<float>(q[k]));
    }
};

// Bit k set for each non-zero coefficient of a natural-order block at zig-zag position k.
// The natural-order mask comes from compares; each of its bytes (one row of the block)
// then goes through a table of where its eight positions land in zig-zag order.
class ZigZagMasks {
public:
    ZigZagMasks() {
        std::uint8_t position[64];
        for (int k = 0; k < 64; ++k) position[kZigZag[k]] = static_cast<std::uint8_t>(k);
        for (int row = 0; row < 8; ++row) {
            for (int bits = 0; bits < 256; ++bits) {
                std::uint64_t m = 0;
                for (int x = 0; x < 8; ++x) {
                    if ((bits >> x) & 1) m |= std::uint64_t{1} << position[row * 8 + x];
                }
                rows_[row][bits] = m;
            }
        }
    }

    std::uint64_t operator()(const std::int16_t* natural) const {
        const __m128i zero = _mm_setzero_si128();
        std::uint64_t zeros = 0;
        for (int i = 0; i < 4; ++i) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(natural + 16 * i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(natural + 16 * i + 8));
            const __m128i packed = _mm_packs_epi16(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero));
            zeros |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(packed)) & 0xFFFF)
                     << (16 * i);
        }
        const std::uint64_t nonZero = ~zeros;
        std::uint64_t m = 0;
        for (int row = 0; row < 8; ++row) m |= rows_[row][(nonZero >> (8 * row)) & 0xFF];
        return m;
    }

private:
    std::uint64_t rows_[8][256];
};

const ZigZagMasks& zigZagMasks() {
    static const ZigZagMasks masks;
    return masks;
}

int bitLength(std::uint32_t v) { return v == 0 ? 0 : 32 - __builtin_clz(v); }

void writeSymbol(BitWriter& w, const HuffmanEncoder& table, int symbol) {
    w.bits(table.code[symbol], table.length[symbol]);
}

// The code of `symbol` followed by the `size` low bits of `value` (negative values as
// value - 1), in one write.
void writeCoded(BitWriter& w, const HuffmanEncoder& table, int symbol, int value, int size) {
    const std::uint32_t extra = static_cast<std::uint32_t>(value < 0 ? value - 1 : value) & ((1u << size) - 1);
    w.bits((static_cast<std::uint32_t>(table.code[symbol]) << size) | extra, table.length[symbol] + size);
}

void writeDc(BitWriter& w, const HuffmanEncoder& dc, int diff) {
    diff = std::clamp(diff, -2047, 2047);
    const int size = bitLength(static_cast<std::uint32_t>(diff < 0 ? -diff : diff));
    writeCoded(w, dc, size, diff, size);
}

// Coefficients ss..se (zig-zag positions) of a natural-order block: runs of zeros,
// values, and an end of block when the band ends in zeros.
void writeAcBand(BitWriter& w, const HuffmanEncoder& ac, const ZigZagMasks& masks, const std::int16_t* block, int ss,
                 int se) {
    std::uint64_t mask = masks(block) >> ss;
    if (se - ss < 63) mask &= (std::uint64_t{1} << (se - ss + 1)) - 1;
    int next = ss;  // first coefficient not yet coded
    while (mask != 0) {
        const int k = ss + __builtin_ctzll(mask);
        mask &= mask - 1;
        int run = k - next;
        for (; run > 15; run -= 16) writeSymbol(w, ac, 0xF0);
        const int v = std::clamp<int>(block[kZigZag[k]], -1023, 1023);
        const int size = bitLength(static_cast<std::uint32_t>(v < 0 ? -v : v));
        writeCoded(w, ac, (run << 4) | size, v, size);
        next = k + 1;
    }
    if (next <= se) writeSymbol(w, ac, 0x00);
}

void writeHuffmanSegment(BitWriter& w) {
    const HuffmanTableData* tables[4] = {&typicalDcLuma(), &typicalAcLuma(), &typicalDcChroma(), &typicalAcChroma()};
    const std::uint8_t classAndId[4] = {0x00, 0x10, 0x01, 0x11};
    std::size_t length = 2;
    for (const HuffmanTableData* s : tables) length += 17 + s->symbols.size();
    w.word(0xFFC4);
    w.word(static_cast<std::uint16_t>(length));
    for (int i = 0; i < 4; ++i) {
        w.byte(classAndId[i]);
        for (const std::uint8_t n : tables[i]->counts) w.byte(n);
        for (const std::uint8_t s : tables[i]->symbols) w.byte(s);
    }
}

void writeHeaders(BitWriter& w, const Frame& frame, const QuantTable& luma, const QuantTable& chroma) {
    w.word(0xFFD8);
    // JFIF 1.01, no units, density 0 x 0, no thumbnail.
    const std::uint8_t app0[] = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    w.word(0xFFE0);
    w.word(16);
    for (const std::uint8_t b : app0) w.byte(b);
    w.word(0xFFFE);
    w.word(23);
    for (int i = 0; i < 21; ++i) w.byte(static_cast<std::uint8_t>(kComment[i]));
    w.word(frame.progressive ? 0xFFC2 : 0xFFC0);
    w.word(static_cast<std::uint16_t>(8 + 3 * frame.componentCount));
    w.byte(8);
    w.word(static_cast<std::uint16_t>(frame.height));
    w.word(static_cast<std::uint16_t>(frame.width));
    w.byte(static_cast<std::uint8_t>(frame.componentCount));
    for (int c = 0; c < frame.componentCount; ++c) {
        const FrameComponent& comp = frame.components[c];
        w.byte(static_cast<std::uint8_t>(comp.id));
        w.byte(static_cast<std::uint8_t>(comp.h << 4 | comp.v));
        w.byte(static_cast<std::uint8_t>(comp.quantTable));
    }
    writeHuffmanSegment(w);
    const int tables = frame.componentCount == 1 ? 1 : 2;
    w.word(0xFFDB);
    w.word(static_cast<std::uint16_t>(2 + 65 * tables));
    for (int t = 0; t < tables; ++t) {
        w.byte(static_cast<std::uint8_t>(t));
        for (const std::uint8_t q : t == 0 ? luma : chroma) w.byte(q);
    }
}

struct ScanPart {
    int count;
    int component[3];
    int ss, se;
};

void writeScanHeader(BitWriter& w, const ScanPart& scan) {
    w.word(0xFFDA);
    w.word(static_cast<std::uint16_t>(6 + 2 * scan.count));
    w.byte(static_cast<std::uint8_t>(scan.count));
    for (int i = 0; i < scan.count; ++i) {
        const int c = scan.component[i];
        w.byte(static_cast<std::uint8_t>(c + 1));
        w.byte(c == 0 ? 0x00 : 0x11);
    }
    w.byte(static_cast<std::uint8_t>(scan.ss));
    w.byte(static_cast<std::uint8_t>(scan.se));
    w.byte(0);
}

// One chroma row at the component's resolution: the average of each 2x2 (or 2x1, or
// single) group of full-resolution samples, rounding alternately down and up so that the
// level stays unbiased. `row1` is `row0` when there is no vertical pairing.
void downsampleRow(const std::uint8_t* row0, const std::uint8_t* row1, int factorH, std::uint8_t* out,
                   std::size_t count) {
    if (factorH == 1) {
        for (std::size_t x = 0; x < count; ++x) out[x] = static_cast<std::uint8_t>((row0[x] + row1[x] + 1 - (x & 1)) >> 1);
        return;
    }
    // Each 16-bit lane of a row holds an even sample (low byte) and the odd one after it.
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const bool vertical = row0 != row1;
    const __m128i bias = vertical ? _mm_set_epi16(2, 1, 2, 1, 2, 1, 2, 1) : _mm_set_epi16(1, 0, 1, 0, 1, 0, 1, 0);
    const int shift = vertical ? 2 : 1;
    std::size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row0 + 2 * x));
        __m128i sum = _mm_add_epi16(_mm_and_si128(a, lowBytes), _mm_srli_epi16(a, 8));
        if (vertical) {
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row1 + 2 * x));
            sum = _mm_add_epi16(sum, _mm_add_epi16(_mm_and_si128(b, lowBytes), _mm_srli_epi16(b, 8)));
        }
        const __m128i average = _mm_srli_epi16(_mm_add_epi16(sum, bias), shift);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(average, average));
    }
    for (; x < count; ++x) {
        const int sum = row0[2 * x] + row0[2 * x + 1] + (vertical ? row1[2 * x] + row1[2 * x + 1] : 0);
        out[x] = static_cast<std::uint8_t>((sum + (vertical ? 1 : 0) + (x & 1)) >> shift);
    }
}

// An 8-bit grey image whose palette entry i is grey level i, as grey images are written,
// has its levels as its bytes.
bool levelsAreIndices(const BmpSource& bmp) {
    if (bmp.bitsPerPixel != 8 || bmp.paletteSize != 256) return false;
    for (int i = 0; i < 256; ++i) {
        if (bmp.palette[i] != static_cast<std::uint32_t>(i) * 0x010101u) return false;
    }
    return true;
}

class Encoder {
public:
    Encoder(const BmpSource& bmp, const EncodeLayout& layout, int quality, const Kernels& kernels)
        : bmp_(bmp),
          layout_(layout),
          frame_(frameFor(bmp, layout)),
          lumaTable_(encoderQuantTable(quality, false)),
          chromaTable_(encoderQuantTable(quality, true)),
          quantisers_{Quantiser(lumaTable_), Quantiser(chromaTable_)},
          kernels_(kernels) {
        dc_[0] = buildHuffmanEncoder(typicalDcLuma());
        dc_[1] = buildHuffmanEncoder(typicalDcChroma());
        ac_[0] = buildHuffmanEncoder(typicalAcLuma());
        ac_[1] = buildHuffmanEncoder(typicalAcChroma());
    }

    int run(std::uint8_t* out, std::size_t capacity);

private:
    void loadMcuRow(int my);
    const std::uint8_t* bgrRow(int y);
    void greyRow(int y, std::uint8_t* out) const;
    void quantiseBlock(int c, int bx, int line, std::int16_t* quantised);
    void transformBlock(int c, const std::uint8_t* src, std::int16_t* quantised);
    void writeProgressiveScans(BitWriter& w);
    std::int16_t* storedBlock(int c, int bx, int by) {
        return coefficients_[c].data() + (static_cast<std::size_t>(by) * frame_.components[c].blocksWide + bx) * 64;
    }

    const BmpSource& bmp_;
    EncodeLayout layout_;
    Frame frame_;
    QuantTable lumaTable_, chromaTable_;
    Quantiser quantisers_[2];
    const Kernels& kernels_;
    const ZigZagMasks& zigZag_ = zigZagMasks();
    const bool greyLevelsAreIndices_ = levelsAreIndices(bmp_);
    HuffmanEncoder dc_[2], ac_[2];
    std::vector<std::uint8_t> full_[3];   // chroma of the MCU row at full resolution
    std::vector<std::uint8_t> strip_[3];  // MCU row at the component's resolution
    std::size_t fullStride_ = 0;
    std::size_t stripStride_[3] = {};
    std::vector<std::uint8_t> bgrRow_;
    std::vector<std::int16_t> coefficients_[3];

    // Quantised blocks of flat 8x8 blocks, by sample value, per quantising table.
    struct FlatCache {
        std::vector<std::int16_t> blocks;
        std::vector<bool> filled;
    };
    FlatCache flatCache_[2];
};

void Encoder::loadMcuRow(int my) {
    const int mcuHeight = 8 * frame_.maxV;
    const int width = frame_.width;
    const std::size_t padded = fullStride_;
    for (int line = 0; line < mcuHeight; ++line) {
        // Rows and columns past the image repeat its last ones.
        const int y = std::min(my * mcuHeight + line, frame_.height - 1);
        std::uint8_t* luma = strip_[0].data() + line * padded;
        if (layout_.grey) {
            greyRow(y, luma);
            std::fill(luma + width, luma + padded, luma[width - 1]);
            continue;
        }
        std::uint8_t* cb = full_[1].data() + line * padded;
        std::uint8_t* cr = full_[2].data() + line * padded;
        kernels_.bgrToYcc(bgrRow(y), luma, cb, cr, width);
        for (std::uint8_t* plane : {luma, cb, cr}) std::fill(plane + width, plane + padded, plane[width - 1]);
    }
    if (layout_.grey) return;
    for (int c = 1; c < 3; ++c) {
        for (int line = 0; line < 8; ++line) {
            const std::uint8_t* row0 = full_[c].data() + line * frame_.maxV * padded;
            const std::uint8_t* row1 = frame_.maxV == 2 ? row0 + padded : row0;
            downsampleRow(row0, row1, frame_.maxH, strip_[c].data() + line * stripStride_[c], stripStride_[c]);
        }
    }
}

// Row y from the top as blue, green, red bytes: a 24-bit image's own row, read in place
// (the whole 45 MB of a large image would otherwise be copied once more), else the
// row converted into bgrRow_.
const std::uint8_t* Encoder::bgrRow(int y) {
    if (bmp_.bitsPerPixel == 24) {
        const int stored = bmp_.topDown ? y : bmp_.height - 1 - y;
        return bmp_.pixels + static_cast<std::size_t>(stored) * bmp_.stride;
    }
    bmpRowToBgr(bmp_, y, bgrRow_.data());
    return bgrRow_.data();
}

void Encoder::greyRow(int y, std::uint8_t* out) const {
    if (!greyLevelsAreIndices_) {
        bmpRowToGrey(bmp_, y, out);
        return;
    }
    const int stored = bmp_.topDown ? y : bmp_.height - 1 - y;
    std::memcpy(out, bmp_.pixels + static_cast<std::size_t>(stored) * bmp_.stride, static_cast<std::size_t>(bmp_.width));
}

bool flatBlockCacheOn = true;

bool isFlatBlock(const std::uint8_t* src, std::size_t stride) {
    const __m128i first = _mm_set1_epi8(static_cast<char>(src[0]));
    // A picture's blocks mostly differ within their first row already.
    const __m128i top = _mm_cmpeq_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(src)), first);
    if ((_mm_movemask_epi8(top) & 0xFF) != 0xFF) return false;
    __m128i same = _mm_set1_epi8(-1);
    for (int y = 1; y < 8; ++y) {
        const __m128i row = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + y * stride));
        same = _mm_and_si128(same, _mm_cmpeq_epi8(row, first));
    }
    return (_mm_movemask_epi8(same) & 0xFF) == 0xFF;
}

void Encoder::quantiseBlock(int c, int bx, int line, std::int16_t* quantised) {
    const std::uint8_t* src = strip_[c].data() + line * stripStride_[c] + bx * 8;
    // Screenshots are mostly flat areas: a block of one value always gives the same
    // quantised block, so each value goes through the transform once per table. The
    // cached block is the transform's own result, so the output stays byte-identical.
    if (flatBlockCacheOn && isFlatBlock(src, stripStride_[c])) {
        FlatCache& cache = flatCache_[c == 0 ? 0 : 1];
        if (cache.blocks.empty()) cache.blocks.resize(256 * 64), cache.filled.assign(256, false);
        std::int16_t* cached = cache.blocks.data() + src[0] * 64;
        if (!cache.filled[src[0]]) {
            transformBlock(c, src, cached);
            cache.filled[src[0]] = true;
        }
        std::memcpy(quantised, cached, 64 * sizeof(std::int16_t));
        return;
    }
    transformBlock(c, src, quantised);
}

void Encoder::transformBlock(int c, const std::uint8_t* src, std::int16_t* quantised) {
    alignas(16) std::int16_t samples[64];
    alignas(16) std::int16_t coefficients[64];
    const __m128i zero = _mm_setzero_si128();
    const __m128i centre = _mm_set1_epi16(128);
    for (int y = 0; y < 8; ++y) {
        const __m128i row = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + y * stripStride_[c]));
        _mm_store_si128(reinterpret_cast<__m128i*>(samples + 8 * y), _mm_sub_epi16(_mm_unpacklo_epi8(row, zero), centre));
    }
    kernels_.forwardDct(samples, coefficients);
    kernels_.quantise(coefficients, quantisers_[c == 0 ? 0 : 1].reciprocal, quantised);
}

int Encoder::run(std::uint8_t* out, std::size_t capacity) {
    BitWriter w(out, capacity);
    writeHeaders(w, frame_, lumaTable_, chromaTable_);
    fullStride_ = static_cast<std::size_t>(frame_.mcusWide) * 8 * frame_.maxH;
    const std::size_t mcuHeight = 8 * static_cast<std::size_t>(frame_.maxV);
    for (int c = 0; c < frame_.componentCount; ++c) {
        const FrameComponent& comp = frame_.components[c];
        if (c > 0) full_[c].assign(fullStride_ * mcuHeight, 0);
        stripStride_[c] = static_cast<std::size_t>(comp.blocksWide) * 8;
        strip_[c].assign(stripStride_[c] * comp.v * 8, 0);
        if (frame_.progressive) {
            coefficients_[c].assign(static_cast<std::size_t>(comp.blocksWide) * comp.blocksHigh * 64, 0);
        }
    }
    bgrRow_.assign(static_cast<std::size_t>(frame_.width) * 3, 0);
    if (!frame_.progressive) {
        ScanPart all{frame_.componentCount, {0, 1, 2}, 0, 63};
        writeScanHeader(w, all);
    }
    int predictions[3] = {};
    alignas(16) std::int16_t block[64];
    for (int my = 0; my < frame_.mcusHigh; ++my) {
        loadMcuRow(my);
        for (int mx = 0; mx < frame_.mcusWide; ++mx) {
            for (int c = 0; c < frame_.componentCount; ++c) {
                const FrameComponent& comp = frame_.components[c];
                for (int bv = 0; bv < comp.v; ++bv) {
                    for (int bh = 0; bh < comp.h; ++bh) {
                        const int bx = mx * comp.h + bh;
                        if (frame_.progressive) {
                            quantiseBlock(c, bx, bv * 8, storedBlock(c, bx, my * comp.v + bv));
                            continue;
                        }
                        quantiseBlock(c, bx, bv * 8, block);
                        const int table = c == 0 ? 0 : 1;
                        writeDc(w, dc_[table], block[0] - predictions[c]);
                        predictions[c] = block[0];
                        writeAcBand(w, ac_[table], zigZag_, block, 1, 63);
                    }
                }
            }
            if (w.full()) return WriteFailed;
        }
    }
    if (frame_.progressive) {
        writeProgressiveScans(w);
    } else {
        w.flushBits();
    }
    w.word(0xFFD9);
    if (w.full()) return WriteFailed;
    return static_cast<int>(w.size());
}

void Encoder::writeProgressiveScans(BitWriter& w) {
    // DC of all components first, then the low luminance frequencies, the chroma, and the
    // rest of the luminance: a recognisable picture early, without successive approximation.
    std::vector<ScanPart> script;
    if (frame_.componentCount == 1) {
        script = {{1, {0, 0, 0}, 0, 0}, {1, {0, 0, 0}, 1, 5}, {1, {0, 0, 0}, 6, 63}};
    } else {
        script = {{3, {0, 1, 2}, 0, 0}, {1, {0, 0, 0}, 1, 5}, {1, {1, 0, 0}, 1, 63}, {1, {2, 0, 0}, 1, 63},
                  {1, {0, 0, 0}, 6, 63}};
    }
    for (const ScanPart& scan : script) {
        writeScanHeader(w, scan);
        if (scan.ss == 0) {
            int predictions[3] = {};
            const bool interleaved = scan.count > 1;
            const int mcusWide = interleaved ? frame_.mcusWide : frame_.components[0].codedBlocksWide;
            const int mcusHigh = interleaved ? frame_.mcusHigh : frame_.components[0].codedBlocksHigh;
            for (int my = 0; my < mcusHigh; ++my) {
                for (int mx = 0; mx < mcusWide; ++mx) {
                    for (int i = 0; i < scan.count; ++i) {
                        const int c = scan.component[i];
                        const FrameComponent& comp = frame_.components[c];
                        const int h = interleaved ? comp.h : 1;
                        const int v = interleaved ? comp.v : 1;
                        for (int bv = 0; bv < v; ++bv) {
                            for (int bh = 0; bh < h; ++bh) {
                                const std::int16_t dc = storedBlock(c, mx * h + bh, my * v + bv)[0];
                                writeDc(w, dc_[c == 0 ? 0 : 1], dc - predictions[c]);
                                predictions[c] = dc;
                            }
                        }
                    }
                }
            }
        } else {
            const int c = scan.component[0];
            const FrameComponent& comp = frame_.components[c];
            for (int by = 0; by < comp.codedBlocksHigh; ++by) {
                for (int bx = 0; bx < comp.codedBlocksWide; ++bx) {
                    writeAcBand(w, ac_[c == 0 ? 0 : 1], zigZag_, storedBlock(c, bx, by), scan.ss, scan.se);
                }
            }
        }
        w.flushBits();
        if (w.full()) return;
    }
}

}  // namespace

EncodeLayout encodeLayout(const BmpSource& bmp, int flags) {
    EncodeLayout layout;
    layout.grey = bmpIsGrey(bmp);
    const int sampling = flags & 7;
    layout.progressive = sampling >= 4;
    if (layout.grey || sampling == 2) {
        layout.lumaH = layout.lumaV = 1;
    } else if (sampling == 1) {
        layout.lumaH = 2;
        layout.lumaV = 1;
    }
    return layout;
}

std::int64_t encodeBound(const BmpSource& bmp, const EncodeLayout& layout) {
    if (bmp.width > (layout.grey ? kMaxGreyWidth : kMaxColourWidth)) return TooWide;
    if (bmp.height > 65535) return BadLayout;
    const std::int64_t w16 = (bmp.width + 15) / 16 * 16;
    const std::int64_t h16 = (bmp.height + 15) / 16 * 16;
    std::int64_t bound = (w16 * h16 + 1024) * (layout.grey ? 1 : 3);
    if (layout.progressive) {
        const Frame frame = frameFor(bmp, layout);
        for (int c = 0; c < frame.componentCount; ++c) {
            bound += std::int64_t{frame.components[c].blocksWide} * frame.components[c].blocksHigh * 64 * 2;
        }
    }
    return bound > INT_MAX ? BadLayout : bound;
}

int encodeJpeg(const BmpSource& bmp, const EncodeLayout& layout, int quality, std::uint8_t* out,
               std::size_t capacity, const Kernels& kernels) {
    Encoder encoder(bmp, layout, quality, kernels);
    const int result = encoder.run(out, capacity);
    return result;
}

void useFlatBlockCache(bool use) { flatBlockCacheOn = use; }

}  // namespace imaging
