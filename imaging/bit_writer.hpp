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

    // Up to 24 bits at a time.
    void bits(std::uint32_t value, int count) {
        acc_ = (acc_ << count) | (value & ((1u << count) - 1));
        pending_ += count;
        while (pending_ >= 8) {
            pending_ -= 8;
            const auto b = static_cast<std::uint8_t>(acc_ >> pending_);
            byte(b);
            if (b == 0xFF) byte(0x00);
        }
    }

    // Ends the entropy-coded data: the last byte is filled with one bits.
    void flushBits() {
        if (pending_ > 0) bits(0x7F, 8 - pending_);
        acc_ = 0;
        pending_ = 0;
    }

    std::size_t size() const { return pos_; }
    bool full() const { return full_; }

private:
    std::uint8_t* out_;
    std::size_t capacity_;
    std::size_t pos_ = 0;
    std::uint64_t acc_ = 0;
    int pending_ = 0;
    bool full_ = false;
};

}  // namespace imaging
