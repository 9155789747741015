#include "imaging/huffman_tables.hpp"

#include <algorithm>

namespace imaging {

namespace {

// The AC tables list their codes of up to 15 bits explicitly; the 16-bit codes go to
// every remaining run/size symbol in ascending order.
HuffmanTableData acTable(std::array<std::uint8_t, 16> counts, std::vector<std::uint8_t> shorter) {
    std::vector<std::uint8_t> all{0x00, 0xF0};
    for (int run = 0; run < 16; ++run) {
        for (int size = 1; size <= 10; ++size) all.push_back(static_cast<std::uint8_t>(run << 4 | size));
    }
    std::sort(all.begin(), all.end());
    std::vector<std::uint8_t> symbols = shorter;
    for (const std::uint8_t s : all) {
        if (std::find(shorter.begin(), shorter.end(), s) == shorter.end()) symbols.push_back(s);
    }
    return HuffmanTableData{counts, symbols};
}

}  // namespace

const HuffmanTableData& typicalDcLuma() {
    static const HuffmanTableData data{{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
                                  {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    return data;
}

const HuffmanTableData& typicalDcChroma() {
    static const HuffmanTableData data{{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
                                  {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    return data;
}

const HuffmanTableData& typicalAcLuma() {
    static const HuffmanTableData data = acTable(
        {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D},
        {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13,
         0x51, 0x61, 0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42,
         0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82});
    return data;
}

const HuffmanTableData& typicalAcChroma() {
    static const HuffmanTableData data = acTable(
        {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
        {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61,
         0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33,
         0x52, 0xF0, 0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1});
    return data;
}

HuffmanEncoder buildHuffmanEncoder(const HuffmanTableData& data) {
    HuffmanEncoder encoder;
    int code = 0;
    std::size_t index = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < data.counts[length - 1] && index < data.symbols.size(); ++i, ++index, ++code) {
            encoder.code[data.symbols[index]] = static_cast<std::uint16_t>(code);
            encoder.length[data.symbols[index]] = static_cast<std::uint8_t>(length);
        }
        code <<= 1;
    }
    return encoder;
}

}  // namespace imaging
