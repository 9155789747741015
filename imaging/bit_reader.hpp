#pragma once
// Reads the entropy-coded bits of a scan, most significant bit first. Stuffed zero bytes
// after 0xFF are dropped; at a marker or at the end of the data the reader supplies zero
// bits and remembers that it did, so the decoder can tell a complete block from one that
// ran past the data.

#include <cstddef>
#include <cstdint>

namespace imaging {

class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size, std::size_t start)
        : data_(data), size_(size), pos_(start) {}

    // Keeps at least 57 bits in the accumulator.
    __attribute__((noinline)) void refill() {
        while (bits_ <= 56) {
            std::uint32_t byte = 0;
            if (!stopped_ && pos_ < size_) {
                byte = data_[pos_];
                if (byte == 0xFF) {
                    std::size_t next = pos_ + 1;
                    while (next < size_ && data_[next] == 0xFF) ++next;  // fill bytes
                    if (next < size_ && data_[next] == 0x00) {
                        pos_ = next + 1;
                    } else {
                        stopAt(next - 1);
                        continue;
                    }
                } else {
                    ++pos_;
                }
            } else {
                if (!stopped_) stopAt(size_);
                padded_ += 8;
            }
            acc_ = (acc_ << 8) | byte;
            bits_ += 8;
        }
    }

    // Up to 16 bits, not consumed.
    std::uint32_t peek(int n) {
        if (bits_ < n) refill();
        return static_cast<std::uint32_t>(acc_ >> (bits_ - n)) & ((1u << n) - 1);
    }

    void skip(int n) {
        bits_ -= n;
        if (bits_ < padded_) {
            overran_ = true;
            padded_ = bits_;
        }
    }

    std::uint32_t bits(int n) {
        if (n == 0) return 0;
        const std::uint32_t v = peek(n);
        skip(n);
        return v;
    }

    // The signed value of an n-bit magnitude category.
    int receiveExtend(int n) {
        if (n == 0) return 0;
        const int v = static_cast<int>(bits(n));
        return v < (1 << (n - 1)) ? v - (1 << n) + 1 : v;
    }

    // True once a block used bits that the data did not hold.
    bool overran() const { return overran_; }

    // Moves past the next restart marker and starts afresh. False when the data ends or
    // another marker comes first; the reader then stays stopped there.
    bool restart() {
        acc_ = 0;
        bits_ = 0;
        padded_ = 0;
        std::size_t p = stopped_ ? markerPos_ : pos_;
        stopped_ = false;
        while (p + 1 < size_) {
            if (data_[p] == 0xFF && data_[p + 1] != 0x00 && data_[p + 1] != 0xFF) {
                if (data_[p + 1] >= 0xD0 && data_[p + 1] <= 0xD7) {
                    pos_ = p + 2;
                    return true;
                }
                stopAt(p);
                return false;
            }
            ++p;
        }
        stopAt(size_);
        return false;
    }

    // Where the segments continue after the scan: the marker the reader stopped at, or
    // the next one after the bytes it has read.
    std::size_t resumePosition() const {
        if (stopped_) return markerPos_;
        std::size_t p = pos_;
        while (p + 1 < size_ && !(data_[p] == 0xFF && data_[p + 1] != 0x00 && data_[p + 1] != 0xFF &&
                                  !(data_[p + 1] >= 0xD0 && data_[p + 1] <= 0xD7))) {
            ++p;
        }
        return p + 1 < size_ ? p : size_;
    }

private:
    void stopAt(std::size_t markerPos) {
        stopped_ = true;
        markerPos_ = markerPos;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_;
    std::uint64_t acc_ = 0;
    int bits_ = 0;
    int padded_ = 0;
    bool stopped_ = false;
    bool overran_ = false;
    std::size_t markerPos_ = 0;
};

}  // namespace imaging
