#pragma once
// Writes the encoder's output into a caller's buffer of fixed capacity: header bytes as
// they are, entropy-coded bits most significant first with a zero byte stuffed after
// each 0xFF. Running out of room sets a flag instead of writing past the end.

#include <cstddef>
#include <cstdint>

namespace imaging {

class BitWriter {
public:
    BitWriter(std::uint8_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}

    void byte(std::uint8_t b) {
        if (pos_ >= capacity_) {
            full_ = true;
            return;
        }
        out_[pos_++] = b;
    }
    void word(std::uint16_t w) {
        byte(static_cast<std::uint8_t>(w >> 8));
        byte(static_cast<std::uint8_t>(w));
    }

    // Up to 32 bits at a time; `value` holds no bits above the `count` low ones (the
    // coder's codes and value bits are built that way, and this runs for every code).
    void bits(std::uint32_t value, int count) {
        acc_ = (acc_ << count) | value;
        pending_ += count;
        if (pending_ >= 32) {
            pending_ -= 32;
            emitWord(static_cast<std::uint32_t>(acc_ >> pending_));
        }
    }

    // Ends the entropy-coded data: the last byte is filled with one bits.
    void flushBits() {
        if (pending_ % 8 != 0) bits((1u << (8 - pending_ % 8)) - 1, 8 - pending_ % 8);
        while (pending_ > 0) {
            pending_ -= 8;
            stuffedByte(static_cast<std::uint8_t>(acc_ >> pending_));
        }
        acc_ = 0;
    }

    std::size_t size() const { return pos_; }
    bool full() const { return full_; }

private:
    void stuffedByte(std::uint8_t b) {
        byte(b);
        if (b == 0xFF) byte(0x00);
    }

    void emitWord(std::uint32_t w) {
        // Common case: no 0xFF byte to stuff and room for all four.
        const std::uint32_t inverted = ~w;
        const bool hasFF = ((inverted - 0x01010101u) & ~inverted & 0x80808080u) != 0;
        if (!hasFF && pos_ <= capacity_ && capacity_ - pos_ >= 4) {
            out_[pos_] = static_cast<std::uint8_t>(w >> 24);
            out_[pos_ + 1] = static_cast<std::uint8_t>(w >> 16);
            out_[pos_ + 2] = static_cast<std::uint8_t>(w >> 8);
            out_[pos_ + 3] = static_cast<std::uint8_t>(w);
            pos_ += 4;
            return;
        }
        for (int shift = 24; shift >= 0; shift -= 8) stuffedByte(static_cast<std::uint8_t>(w >> shift));
    }

    std::uint8_t* out_;
    std::size_t capacity_;
    std::size_t pos_ = 0;
    std::uint64_t acc_ = 0;
    int pending_ = 0;
    bool full_ = false;
};

}  // namespace imaging
