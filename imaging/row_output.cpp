#include "imaging/row_output.hpp"

#include <cstring>
#include <utility>

#include "imaging/upsample.hpp"

namespace imaging {

McuRowOutput::McuRowOutput(const Frame& frame, const Kernels& kernels, const BmpLayout& layout,
                           std::uint8_t* bmp)
    : frame_(frame), kernels_(kernels), layout_(layout), bmp_(bmp) {
    for (int c = 0; c < frame.componentCount; ++c) {
        const FrameComponent& comp = frame.components[c];
        stride_[c] = static_cast<std::size_t>(comp.blocksWide) * 8;
        const std::size_t bytes = stride_[c] * static_cast<std::size_t>(comp.v) * 8;
        current_[c].assign(bytes, 0);
        pending_[c].assign(bytes, 0);
        above_[c].assign(stride_[c], 0);
        chromaRow_[c].assign(stride_[0] + 16, 0);
    }
}

void McuRowOutput::mcuRowDone() {
    if (hasPending_) emit(pendingRow_, pending_, true);
    for (int c = 0; c < frame_.componentCount; ++c) std::swap(current_[c], pending_[c]);
    hasPending_ = true;
    pendingRow_ = nextRow_++;
}

void McuRowOutput::finish() {
    if (hasPending_) emit(pendingRow_, pending_, false);
    hasPending_ = false;
}

void McuRowOutput::emit(int mcuRow, const std::vector<std::uint8_t>* strips, bool hasBelow) {
    const int mcuHeight = 8 * frame_.maxV;
    const int width = frame_.width;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * layout_.bytesPerPixel;
    for (int line = 0; line < mcuHeight; ++line) {
        const int y = mcuRow * mcuHeight + line;
        if (y >= frame_.height) break;
        std::uint8_t* dst = bmpRow(layout_, bmp_, y);
        std::memset(dst + rowBytes, 0, layout_.stride - rowBytes);
        const std::uint8_t* luma = strips[0].data() + line * stride_[0];
        if (frame_.componentCount == 1) {
            std::memcpy(dst, luma, rowBytes);
        } else {
            const std::uint8_t* chroma[3] = {};
            for (int c = 1; c < 3; ++c) {
                const std::uint8_t* lines = strips[c].data();
                const int chromaWidth = (width * frame_.components[c].h + frame_.maxH - 1) / frame_.maxH;
                if (frame_.maxH == 2 && chromaWidth <= 2) {
                    // Two samples are too few for the filter to mean anything: repeat them,
                    // as other decoders do, so tiny images look alike everywhere.
                    const std::uint8_t* source = lines + (line / frame_.maxV) * stride_[c];
                    for (int x = 0; x < 2 * chromaWidth; ++x) chromaRow_[c][x] = source[x / 2];
                    chroma[c] = chromaRow_[c].data();
                } else if (frame_.maxV == 2) {
                    const int j = line / 2;
                    const std::uint8_t* near = lines + j * stride_[c];
                    const std::uint8_t* far = near;
                    if (line % 2 == 0) {
                        if (j > 0) {
                            far = near - stride_[c];
                        } else if (hasAbove_) {
                            far = above_[c].data();
                        }
                    } else if (j < 7) {
                        far = near + stride_[c];
                    } else if (hasBelow) {
                        far = current_[c].data();
                    }
                    upsampleBoth(near, far, chromaWidth, chromaRow_[c].data());
                    chroma[c] = chromaRow_[c].data();
                } else if (frame_.maxH == 2) {
                    upsampleHorizontal(lines + line * stride_[c], chromaWidth, chromaRow_[c].data());
                    chroma[c] = chromaRow_[c].data();
                } else {
                    chroma[c] = lines + line * stride_[c];
                }
            }
            kernels_.yccToBgr(luma, chroma[1], chroma[2], dst, width);
        }
        rowsWritten_ = y + 1;
    }
    if (frame_.componentCount == 3) {
        for (int c = 1; c < 3; ++c) {
            std::memcpy(above_[c].data(), strips[c].data() + 7 * stride_[c], stride_[c]);
        }
        hasAbove_ = true;
    }
}

}  // namespace imaging
