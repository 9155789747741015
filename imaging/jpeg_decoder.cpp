#include "imaging/jpeg_decoder.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/bit_reader.hpp"
#include "imaging/block_decode.hpp"
#include "imaging/row_output.hpp"

namespace imaging {

namespace {

using namespace decode_result;

namespace marker {
constexpr std::uint8_t SOF0 = 0xC0, SOF2 = 0xC2, DHT = 0xC4, SOI = 0xD8, EOI = 0xD9, SOS = 0xDA, DQT = 0xDB,
                       DNL = 0xDC, DRI = 0xDD, APP0 = 0xE0, APP15 = 0xEF, COM = 0xFE, TEM = 0x01;
constexpr bool isRestart(std::uint8_t m) { return m >= 0xD0 && m <= 0xD7; }
}  // namespace marker

struct Segment {
    std::uint8_t marker = 0;
    const std::uint8_t* payload = nullptr;
    std::size_t length = 0;
    std::size_t next = 0;  // where the following segment starts
};

// The segment at `pos`; bytes that are not a marker are skipped. False at the end of the
// data or for a segment whose length runs past it.
bool nextSegment(const std::uint8_t* data, std::size_t size, std::size_t pos, Segment& seg) {
    while (pos < size && data[pos] != 0xFF) ++pos;
    while (pos < size && data[pos] == 0xFF) ++pos;
    if (pos >= size) return false;
    seg.marker = data[pos++];
    seg.payload = data + pos;
    seg.length = 0;
    if (marker::isRestart(seg.marker) || seg.marker == marker::SOI || seg.marker == marker::EOI ||
        seg.marker == marker::TEM) {
        seg.next = pos;
        return true;
    }
    if (size - pos < 2) return false;
    const std::size_t length = (static_cast<std::size_t>(data[pos]) << 8) | data[pos + 1];
    if (length < 2 || length > size - pos) return false;
    seg.payload = data + pos + 2;
    seg.length = length - 2;
    seg.next = pos + length;
    return true;
}

// The coefficients of a progressive image, one MCU row after another, in pages of their
// own: they start as zeros without being touched, and each row's pages go back to the
// system once the row has been converted.
class CoefficientStore {
public:
    CoefficientStore() = default;
    CoefficientStore(const CoefficientStore&) = delete;
    CoefficientStore& operator=(const CoefficientStore&) = delete;
    ~CoefficientStore() {
        if (base_ != nullptr) ::munmap(base_, bytes_);
    }

    bool allocate(std::size_t rows, std::size_t valuesPerRow) {
        rowBytes_ = valuesPerRow * sizeof(std::int16_t);
        bytes_ = rows * rowBytes_;
        void* p = ::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) return false;
        base_ = static_cast<std::int16_t*>(p);
        return true;
    }
    bool empty() const { return base_ == nullptr; }
    std::int16_t* row(std::size_t r) { return base_ + r * (rowBytes_ / sizeof(std::int16_t)); }

    // Hands back the whole pages that lie inside row r.
    void release(std::size_t r) {
        const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t start = (r * rowBytes_ + page - 1) / page * page;
        const std::size_t end = std::min((r + 1) * rowBytes_, bytes_) / page * page;
        if (end > start) ::madvise(reinterpret_cast<char*>(base_) + start, end - start, MADV_DONTNEED);
    }

private:
    std::int16_t* base_ = nullptr;
    std::size_t bytes_ = 0;
    std::size_t rowBytes_ = 0;
};

class Decoder {
public:
    Decoder(const std::uint8_t* data, std::size_t size, JpegHeaderInfo& info) : data_(data), size_(size), info_(info) {}

    // Header walk up to the first scan (out == nullptr), or the whole decode.
    int run(std::uint8_t* out, std::size_t capacity, const Kernels* kernels);

private:
    int startFrame(const Segment& seg);
    int handleTableSegment(const Segment& seg);
    int decodeBaselineScan(const ScanHeader& scan, std::size_t start);
    int decodeProgressiveScan(const ScanHeader& scan, std::size_t start, std::size_t& resume);
    bool decodeProgressiveUnit(BitReader& reader, const ScanHeader& scan, int scanIndex, std::int16_t* block);
    int writeProgressiveImage();
    // Coefficients are kept per MCU row, all components together, so that each row can
    // be released as soon as it is converted: the BMP fills in while they shrink.
    std::int16_t* coefficientBlock(int c, int bx, int by) {
        const FrameComponent& comp = info_.frame.components[c];
        const int row = by / comp.v;
        const std::size_t block = componentOffset_[c] + static_cast<std::size_t>(by % comp.v) * comp.blocksWide + bx;
        return coefficients_.row(static_cast<std::size_t>(row)) + block * 64;
    }
    bool allocateCoefficients();

    const std::uint8_t* data_;
    std::size_t size_;
    JpegHeaderInfo& info_;
    DecoderTables tables_;
    bool haveFrame_ = false;
    std::uint8_t* out_ = nullptr;
    const Kernels* kernels_ = nullptr;
    CoefficientStore coefficients_;
    std::size_t componentOffset_[3] = {};  // in blocks, within an MCU row
    int predictions_[3] = {};
    int eobRun_ = 0;
};

int Decoder::startFrame(const Segment& seg) {
    if (haveFrame_) return Unsupported;
    const int result = parseFrame(seg.payload, seg.length, seg.marker == marker::SOF2, info_.frame);
    if (result != 0) return result;
    haveFrame_ = true;
    if (info_.frame.height == 0) {
        // The height comes later, in a DNL segment after the first scan.
        info_.frame.height = findDefinedLines(data_, size_, seg.next);
    }
    if (computeGeometry(info_.frame) != 0) return BadGeometry;
    info_.layout = bmpLayout(info_.frame.width, info_.frame.height, info_.frame.componentCount == 1 ? 1 : 3);
    return 0;
}

int Decoder::handleTableSegment(const Segment& seg) {
    switch (seg.marker) {
    case marker::DHT: return parseHuffmanTables(seg.payload, seg.length, tables_);
    case marker::DQT: return parseQuantTables(seg.payload, seg.length, tables_);
    case marker::DRI: return parseRestartInterval(seg.payload, seg.length, tables_);
    case marker::DNL: return seg.length == 2 ? 0 : Unsupported;
    default: break;
    }
    if ((seg.marker >= marker::APP0 && seg.marker <= marker::APP15) || seg.marker == marker::COM) return 0;
    if (marker::isRestart(seg.marker) || seg.marker == marker::TEM) return 0;
    return Unsupported;
}

int Decoder::run(std::uint8_t* out, std::size_t capacity, const Kernels* kernels) {
    if (size_ < 2 || data_[0] != 0xFF || data_[1] != marker::SOI) return Unsupported;
    out_ = out;
    kernels_ = kernels;
    bool sawScan = false;
    std::size_t pos = 2;
    Segment seg;
    while (nextSegment(data_, size_, pos, seg)) {
        pos = seg.next;
        if (seg.marker == marker::SOF0 || seg.marker == marker::SOF2) {
            if (const int r = startFrame(seg); r != 0) return r;
            continue;
        }
        if (seg.marker == marker::EOI) {
            if (!haveFrame_) return BadGeometry;
            if (out_ == nullptr) {
                info_.hasScan = sawScan;
                return static_cast<int>(info_.layout.fileSize);
            }
            if (!sawScan) return NoScan;
            return writeProgressiveImage();
        }
        if (seg.marker != marker::SOS) {
            if (const int r = handleTableSegment(seg); r != 0) return r;
            continue;
        }
        if (!haveFrame_) return BadGeometry;
        ScanHeader scan;
        if (const int r = parseScanHeader(seg.payload, seg.length, info_.frame, tables_, scan); r != 0) return r;
        if (out_ == nullptr) {
            info_.hasScan = true;
            return static_cast<int>(info_.layout.fileSize);
        }
        if (capacity < info_.layout.fileSize) return BadGeometry;
        if (!sawScan) writeBmpHeader(info_.layout, out_);
        sawScan = true;
        if (!info_.frame.progressive) return decodeBaselineScan(scan, seg.next);
        std::size_t resume = 0;
        const int r = decodeProgressiveScan(scan, seg.next, resume);
        if (r != 0) return r;
        pos = resume;
    }
    // The data ended before EOI.
    if (out_ == nullptr || !sawScan) return BadGeometry;
    const int r = writeProgressiveImage();
    return r < 0 ? r : Truncated;
}

int Decoder::decodeBaselineScan(const ScanHeader& scan, std::size_t start) {
    const Frame& frame = info_.frame;
    McuRowOutput output(frame, *kernels_, info_.layout, out_);
    BitReader reader(data_, size_, start);
    alignas(16) std::int16_t block[64];
    int untilRestart = tables_.restartInterval;
    bool complete = true;
    for (int my = 0; my < frame.mcusHigh && complete; ++my) {
        for (int mx = 0; mx < frame.mcusWide && complete; ++mx) {
            if (tables_.restartInterval != 0) {
                if (untilRestart == 0) {
                    reader.restart();
                    std::fill(std::begin(predictions_), std::end(predictions_), 0);
                    untilRestart = tables_.restartInterval;
                }
                --untilRestart;
            }
            for (int i = 0; i < scan.count && complete; ++i) {
                const int c = scan.component[i];
                const FrameComponent& comp = frame.components[c];
                const std::uint16_t* quant = tables_.quant[comp.quantTable];
                for (int bv = 0; bv < comp.v && complete; ++bv) {
                    for (int bh = 0; bh < comp.h; ++bh) {
                        if (!decodeBaselineBlock(reader, tables_.dc[scan.dcTable[i]], tables_.ac[scan.acTable[i]],
                                                 predictions_[c], quant, block)) {
                            complete = false;
                            break;
                        }
                        std::uint8_t* dst = output.strip(c) + bv * 8 * output.stripStride(c) + (mx * comp.h + bh) * 8;
                        kernels_->inverseDct(block, dst, static_cast<std::ptrdiff_t>(output.stripStride(c)));
                    }
                }
            }
            if (reader.overran()) complete = false;
        }
        if (complete) output.mcuRowDone();
    }
    output.finish();
    if (complete) return static_cast<int>(info_.layout.fileSize);
    const int rows = output.rowsWritten();
    std::memset(out_ + info_.layout.pixelOffset, 0, info_.layout.stride * static_cast<std::size_t>(frame.height - rows));
    return Truncated;
}

bool Decoder::decodeProgressiveUnit(BitReader& reader, const ScanHeader& scan, int i, std::int16_t* block) {
    const int c = scan.component[i];
    if (scan.ss == 0) {
        if (scan.ah == 0) return decodeDcFirst(reader, tables_.dc[scan.dcTable[i]], predictions_[c], scan.al, block);
        return decodeDcRefine(reader, scan.al, block);
    }
    if (scan.ah == 0) return decodeAcFirst(reader, tables_.ac[scan.acTable[i]], scan.ss, scan.se, scan.al, eobRun_, block);
    return decodeAcRefine(reader, tables_.ac[scan.acTable[i]], scan.ss, scan.se, scan.al, eobRun_, block);
}

int Decoder::decodeProgressiveScan(const ScanHeader& scan, std::size_t start, std::size_t& resume) {
    const Frame& frame = info_.frame;
    if (coefficients_.empty() && !allocateCoefficients()) return BadGeometry;
    BitReader reader(data_, size_, start);
    std::fill(std::begin(predictions_), std::end(predictions_), 0);
    eobRun_ = 0;
    int untilRestart = tables_.restartInterval;
    const auto beforeUnit = [&] {
        if (tables_.restartInterval == 0) return;
        if (untilRestart == 0) {
            reader.restart();
            std::fill(std::begin(predictions_), std::end(predictions_), 0);
            eobRun_ = 0;
            untilRestart = tables_.restartInterval;
        }
        --untilRestart;
    };
    bool complete = true;
    if (scan.count == 1) {
        const int c = scan.component[0];
        const FrameComponent& comp = frame.components[c];
        for (int by = 0; by < comp.codedBlocksHigh && complete; ++by) {
            for (int bx = 0; bx < comp.codedBlocksWide; ++bx) {
                beforeUnit();
                if (!decodeProgressiveUnit(reader, scan, 0, coefficientBlock(c, bx, by)) || reader.overran()) {
                    complete = false;
                    break;
                }
            }
        }
    } else {
        for (int my = 0; my < frame.mcusHigh && complete; ++my) {
            for (int mx = 0; mx < frame.mcusWide && complete; ++mx) {
                beforeUnit();
                for (int i = 0; i < scan.count && complete; ++i) {
                    const int c = scan.component[i];
                    const FrameComponent& comp = frame.components[c];
                    for (int bv = 0; bv < comp.v && complete; ++bv) {
                        for (int bh = 0; bh < comp.h; ++bh) {
                            if (!decodeProgressiveUnit(reader, scan, i,
                                                       coefficientBlock(c, mx * comp.h + bh, my * comp.v + bv))) {
                                complete = false;
                                break;
                            }
                        }
                    }
                }
                if (reader.overran()) complete = false;
            }
        }
    }
    if (!complete) {
        const int r = writeProgressiveImage();
        return r < 0 ? r : Truncated;
    }
    resume = reader.resumePosition();
    return 0;
}

int Decoder::writeProgressiveImage() {
    const Frame& frame = info_.frame;
    if (coefficients_.empty()) return Truncated;
    for (int c = 0; c < frame.componentCount; ++c) {
        if (!tables_.quantDefined[frame.components[c].quantTable]) return Unsupported;
    }
    McuRowOutput output(frame, *kernels_, info_.layout, out_);
    alignas(16) std::int16_t block[64];
    for (int my = 0; my < frame.mcusHigh; ++my) {
        for (int c = 0; c < frame.componentCount; ++c) {
            const FrameComponent& comp = frame.components[c];
            const std::uint16_t* quant = tables_.quant[comp.quantTable];
            for (int bv = 0; bv < comp.v; ++bv) {
                for (int bx = 0; bx < comp.blocksWide; ++bx) {
                    const std::int16_t* coefficients = coefficientBlock(c, bx, my * comp.v + bv);
                    for (int k = 0; k < 64; ++k) {
                        block[k] = static_cast<std::int16_t>(std::clamp(coefficients[k] * quant[k], -32768, 32767));
                    }
                    std::uint8_t* dst = output.strip(c) + bv * 8 * output.stripStride(c) + bx * 8;
                    kernels_->inverseDct(block, dst, static_cast<std::ptrdiff_t>(output.stripStride(c)));
                }
            }
        }
        output.mcuRowDone();
        coefficients_.release(static_cast<std::size_t>(my));
    }
    output.finish();
    return static_cast<int>(info_.layout.fileSize);
}

bool Decoder::allocateCoefficients() {
    const Frame& frame = info_.frame;
    std::size_t blocksPerRow = 0;
    for (int c = 0; c < frame.componentCount; ++c) {
        componentOffset_[c] = blocksPerRow;
        blocksPerRow += static_cast<std::size_t>(frame.components[c].blocksWide) * frame.components[c].v;
    }
    return coefficients_.allocate(static_cast<std::size_t>(frame.mcusHigh), blocksPerRow * 64);
}

}  // namespace

int readJpegHeaders(const std::uint8_t* data, std::size_t size, JpegHeaderInfo& info) {
    info = JpegHeaderInfo{};
    Decoder decoder(data, size, info);
    return decoder.run(nullptr, 0, nullptr);
}

int decodeJpeg(const std::uint8_t* data, std::size_t size, std::uint8_t* out, std::size_t capacity,
               const Kernels& kernels, JpegHeaderInfo& info) {
    info = JpegHeaderInfo{};
    Decoder decoder(data, size, info);
    return decoder.run(out, capacity, &kernels);
}

}  // namespace imaging
