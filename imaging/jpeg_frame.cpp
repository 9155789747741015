#include "imaging/jpeg_frame.hpp"

namespace imaging {

const std::uint8_t kZigZag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
};

namespace {
int ceilDiv(int a, int b) { return (a + b - 1) / b; }
}  // namespace

int parseFrame(const std::uint8_t* p, std::size_t n, bool progressive, Frame& frame) {
    using namespace decode_result;
    if (n < 6) return Unsupported;
    if (p[0] != 8) return Unsupported;  // 8-bit samples only
    frame.progressive = progressive;
    frame.height = (p[1] << 8) | p[2];
    frame.width = (p[3] << 8) | p[4];
    frame.componentCount = p[5];
    if (frame.componentCount != 1 && frame.componentCount != 3) return BadLayout;
    if (n != 6 + 3 * static_cast<std::size_t>(frame.componentCount)) return Unsupported;
    if (frame.width == 0) return BadGeometry;
    if (frame.width > (frame.componentCount == 1 ? kMaxGreyWidth : kMaxColourWidth)) return TooWide;
    for (int c = 0; c < frame.componentCount; ++c) {
        const std::uint8_t* q = p + 6 + 3 * c;
        FrameComponent& comp = frame.components[c];
        comp.id = q[0];
        comp.h = q[1] >> 4;
        comp.v = q[1] & 15;
        comp.quantTable = q[2];
        if (comp.quantTable > 3) return Unsupported;
        for (int other = 0; other < c; ++other) {
            if (frame.components[other].id == comp.id) return BadGeometry;
        }
        if (frame.componentCount == 1) {
            // A lone component is coded block by block whatever its factors say.
            if (comp.h < 1 || comp.h > 4 || comp.v < 1 || comp.v > 4) return BadLayout;
            comp.h = comp.v = 1;
        } else if (c == 0) {
            if (q[1] != 0x11 && q[1] != 0x21 && q[1] != 0x22) return BadLayout;
        } else if (q[1] != 0x11) {
            return BadLayout;
        }
    }
    frame.maxH = frame.components[0].h;
    frame.maxV = frame.components[0].v;
    return 0;
}

int computeGeometry(Frame& frame) {
    if (frame.width <= 0 || frame.height <= 0) return decode_result::BadGeometry;
    frame.mcusWide = ceilDiv(frame.width, 8 * frame.maxH);
    frame.mcusHigh = ceilDiv(frame.height, 8 * frame.maxV);
    for (int c = 0; c < frame.componentCount; ++c) {
        FrameComponent& comp = frame.components[c];
        comp.blocksWide = frame.mcusWide * comp.h;
        comp.blocksHigh = frame.mcusHigh * comp.v;
        comp.codedBlocksWide = ceilDiv(ceilDiv(frame.width * comp.h, frame.maxH), 8);
        comp.codedBlocksHigh = ceilDiv(ceilDiv(frame.height * comp.v, frame.maxV), 8);
    }
    return 0;
}

int parseQuantTables(const std::uint8_t* p, std::size_t n, DecoderTables& tables) {
    while (n > 0) {
        const int precision = p[0] >> 4;
        const int id = p[0] & 15;
        if (precision != 0 || id > 3) return decode_result::Unsupported;
        if (n < 65) return decode_result::Unsupported;
        for (int k = 0; k < 64; ++k) tables.quant[id][kZigZag[k]] = p[1 + k];
        tables.quantDefined[id] = true;
        p += 65;
        n -= 65;
    }
    return 0;
}

int parseHuffmanTables(const std::uint8_t* p, std::size_t n, DecoderTables& tables) {
    while (n > 0) {
        if (n < 17) return decode_result::Unsupported;
        const int tableClass = p[0] >> 4;
        const int id = p[0] & 15;
        if (tableClass > 1 || id > 1) return decode_result::Unsupported;
        int total = 0;
        for (int i = 0; i < 16; ++i) total += p[1 + i];
        if (total > 256 || n < 17 + static_cast<std::size_t>(total)) return decode_result::Unsupported;
        HuffmanDecoder& table = tableClass == 0 ? tables.dc[id] : tables.ac[id];
        if (!buildHuffmanDecoder(p + 1, p + 17, total, table)) {
            table.defined = false;
            return decode_result::Unsupported;
        }
        p += 17 + total;
        n -= 17 + static_cast<std::size_t>(total);
    }
    return 0;
}

int parseRestartInterval(const std::uint8_t* p, std::size_t n, DecoderTables& tables) {
    if (n != 2) return decode_result::Unsupported;
    tables.restartInterval = (p[0] << 8) | p[1];
    return 0;
}

int parseScanHeader(const std::uint8_t* p, std::size_t n, const Frame& frame, const DecoderTables& tables,
                    ScanHeader& scan) {
    using namespace decode_result;
    if (n < 1) return Unsupported;
    scan.count = p[0];
    if (scan.count < 1 || scan.count > frame.componentCount) return BadLayout;
    if (n != 4 + 2 * static_cast<std::size_t>(scan.count)) return Unsupported;
    for (int i = 0; i < scan.count; ++i) {
        const int id = p[1 + 2 * i];
        int index = -1;
        for (int c = 0; c < frame.componentCount; ++c) {
            if (frame.components[c].id == id) index = c;
        }
        if (index < 0) return BadLayout;
        for (int j = 0; j < i; ++j) {
            if (scan.component[j] == index) return BadLayout;
        }
        scan.component[i] = index;
        scan.dcTable[i] = p[2 + 2 * i] >> 4;
        scan.acTable[i] = p[2 + 2 * i] & 15;
        if (scan.dcTable[i] > 1 || scan.acTable[i] > 1) return Unsupported;
    }
    const std::uint8_t* tail = p + 1 + 2 * scan.count;
    scan.ss = tail[0];
    scan.se = tail[1];
    scan.ah = tail[2] >> 4;
    scan.al = tail[2] & 15;
    if (!frame.progressive) {
        if (scan.count != frame.componentCount) return BadLayout;
        if (scan.ss != 0 || scan.se != 63 || scan.ah != 0 || scan.al != 0) return Unsupported;
    } else {
        if (scan.ss > scan.se || scan.se > 63 || scan.ah > 13 || scan.al > 13) return Unsupported;
        if ((scan.ss == 0) != (scan.se == 0)) return Unsupported;
        if (scan.ss > 0 && scan.count != 1) return BadLayout;
        if (scan.ah != 0 && scan.ah != scan.al + 1) return Unsupported;
    }
    // The tables a scan codes with must exist before its data.
    for (int i = 0; i < scan.count; ++i) {
        const bool needsDc = scan.ss == 0 && scan.ah == 0;
        const bool needsAc = scan.se > 0;
        if (needsDc && !tables.dc[scan.dcTable[i]].defined) return Unsupported;
        if (needsAc && !tables.ac[scan.acTable[i]].defined) return Unsupported;
        if (!tables.quantDefined[frame.components[scan.component[i]].quantTable]) return Unsupported;
    }
    return 0;
}

int findDefinedLines(const std::uint8_t* data, std::size_t size, std::size_t from) {
    for (std::size_t p = from; p + 5 < size; ++p) {
        if (data[p] == 0xFF && data[p + 1] == 0xDC && data[p + 2] == 0 && data[p + 3] == 4) {
            return (data[p + 4] << 8) | data[p + 5];
        }
    }
    return 0;
}

}  // namespace imaging
