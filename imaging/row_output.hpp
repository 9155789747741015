#pragma once
// Turns decoded MCU rows into BMP rows: chroma upsampling, colour conversion and the
// bottom-up placement. A row of MCUs is written one MCU row late, because the 2x2
// upsampling of its last lines needs the first chroma line of the row below.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/bmp.hpp"
#include "imaging/jpeg_frame.hpp"
#include "imaging/kernels.hpp"

namespace imaging {

class McuRowOutput {
public:
    McuRowOutput(const Frame& frame, const Kernels& kernels, const BmpLayout& layout, std::uint8_t* bmp);

    // Where the decoder puts the samples of component c for the current MCU row.
    std::uint8_t* strip(int c) { return current_[c].data(); }
    std::size_t stripStride(int c) const { return stride_[c]; }

    // The current strips hold a complete MCU row.
    void mcuRowDone();
    // Writes the row still held back; the image ends there.
    void finish();
    // Rows from the top that hold image data; the rest stay zero.
    int rowsWritten() const { return rowsWritten_; }

private:
    void emit(int mcuRow, const std::vector<std::uint8_t>* strips, bool hasBelow);

    const Frame& frame_;
    const Kernels& kernels_;
    BmpLayout layout_;
    std::uint8_t* bmp_;
    std::size_t stride_[3] = {};
    std::vector<std::uint8_t> current_[3];
    std::vector<std::uint8_t> pending_[3];
    std::vector<std::uint8_t> above_[3];
    std::vector<std::uint8_t> chromaRow_[3];
    bool hasPending_ = false;
    bool hasAbove_ = false;
    int pendingRow_ = 0;
    int nextRow_ = 0;
    int rowsWritten_ = 0;
};

}  // namespace imaging
