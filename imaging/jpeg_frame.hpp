#pragma once
// The header segments of a JPEG file: frame, tables, restart interval and scan headers,
// each checked against the limits of this codec before anything uses it.

#include <cstddef>
#include <cstdint>

#include "imaging/huffman.hpp"

namespace imaging {

inline constexpr int kMaxGreyWidth = 15000;
inline constexpr int kMaxColourWidth = 5000;

// Results of the decoder (negative) besides a size or success.
namespace decode_result {
inline constexpr int NoScan = -1;
inline constexpr int Unsupported = -2;
inline constexpr int Truncated = -3;
inline constexpr int BadLayout = -4;
inline constexpr int TooWide = -5;
inline constexpr int BadGeometry = -6;
}  // namespace decode_result

// Positions in zig-zag order -> natural (row-major) index.
extern const std::uint8_t kZigZag[64];

struct FrameComponent {
    int id = 0;
    int h = 1, v = 1;
    int quantTable = 0;
    // Blocks of the component's share of the padded MCU grid, and the blocks that
    // actually cover the image (what a scan of this component alone codes).
    int blocksWide = 0, blocksHigh = 0;
    int codedBlocksWide = 0, codedBlocksHigh = 0;
};

struct Frame {
    bool progressive = false;
    int width = 0, height = 0;
    int componentCount = 0;
    FrameComponent components[3];
    int maxH = 1, maxV = 1;
    int mcusWide = 0, mcusHigh = 0;
};

struct DecoderTables {
    std::uint16_t quant[4][64] = {};  // natural order
    bool quantDefined[4] = {};
    HuffmanDecoder dc[2];
    HuffmanDecoder ac[2];
    int restartInterval = 0;
};

struct ScanHeader {
    int count = 0;
    int component[3] = {};  // indexes into Frame::components
    int dcTable[3] = {};
    int acTable[3] = {};
    int ss = 0, se = 63, ah = 0, al = 0;
};

// Segment parsers: `p` points after the length field, `n` is the payload length. Each
// returns 0 or a negative decoder result.
int parseFrame(const std::uint8_t* p, std::size_t n, bool progressive, Frame& frame);
int parseQuantTables(const std::uint8_t* p, std::size_t n, DecoderTables& tables);
int parseHuffmanTables(const std::uint8_t* p, std::size_t n, DecoderTables& tables);
int parseRestartInterval(const std::uint8_t* p, std::size_t n, DecoderTables& tables);
int parseScanHeader(const std::uint8_t* p, std::size_t n, const Frame& frame, const DecoderTables& tables,
                    ScanHeader& scan);

// Fills in the block and MCU counts once the height is known (it may come from DNL).
int computeGeometry(Frame& frame);

// The height a DNL segment gives, searched from `from` on; 0 when there is none.
int findDefinedLines(const std::uint8_t* data, std::size_t size, std::size_t from);

}  // namespace imaging
