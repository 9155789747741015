#include "imaging/quant_tables.hpp"

#include <algorithm>

#include "imaging/jpeg_frame.hpp"

namespace imaging {

namespace {

// The usual JPEG luminance and chrominance tables, row-major.
constexpr std::uint8_t kLumaNatural[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
};
constexpr std::uint8_t kChromaNatural[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
};

QuantTable toZigZag(const std::uint8_t* natural) {
    QuantTable t{};
    for (int k = 0; k < 64; ++k) t[k] = natural[kZigZag[k]];
    return t;
}

// A table given as its leading values followed by one value repeated to position 64.
QuantTable leadingThenFill(std::initializer_list<std::uint8_t> leading, std::uint8_t fill) {
    QuantTable t{};
    t.fill(fill);
    std::copy(leading.begin(), leading.end(), t.begin());
    return t;
}

QuantTable lumaFine() {
    QuantTable t = leadingThenFill({2, 1, 1, 2, 1, 1, 2, 2, 1, 2, 2, 2, 2, 2, 4, 4, 2, 2, 2}, 4);
    t[24] = 2;  // position 25
    return t;
}

}  // namespace

const QuantTable& quantAnchorM(bool chroma) {
    static const QuantTable luma = toZigZag(kLumaNatural);
    static const QuantTable chromaTable = toZigZag(kChromaNatural);
    return chroma ? chromaTable : luma;
}

const QuantTable& quantAnchorF(bool chroma) {
    static const QuantTable luma = lumaFine();
    static const QuantTable chromaTable = leadingThenFill({2, 1, 1, 2, 2, 2, 2, 2, 2, 4, 4, 4, 4, 4, 4}, 8);
    return chroma ? chromaTable : luma;
}

const QuantTable& quantAnchorR(bool chroma) {
    static const QuantTable luma = leadingThenFill({20,  28,  28,  36,  40,  40,  52,  48,  42,  60,  80,
                                                    70,  94,  96,  120, 160, 160, 160, 180, 190, 190, 224,
                                                    200, 208, 196, 200, 255, 240, 255, 255, 255, 240},
                                                   255);
    static const QuantTable chromaTable = leadingThenFill(
        {19, 32, 32, 40, 44, 48, 70, 58, 60, 70, 245, 128, 160, 196, 224, 224, 240, 240}, 255);
    return chroma ? chromaTable : luma;
}

int effectiveQuality(int quality) { return quality >= 0 && quality <= 99 ? quality : 75; }

QuantTable encoderQuantTable(int quality, bool chroma) {
    const int q = effectiveQuality(quality);
    const QuantTable& m = quantAnchorM(chroma);
    const QuantTable& f = quantAnchorF(chroma);
    const QuantTable& r = quantAnchorR(chroma);
    QuantTable t{};
    for (int k = 0; k < 64; ++k) {
        int v = 0;
        if (q > 50) {
            v = std::max(1, f[k] + ((m[k] - f[k]) * (99 - q) + 24) / 49);
        } else {
            v = std::min(255, r[k] - ((r[k] - m[k]) * q + 25) / 50);
        }
        t[k] = static_cast<std::uint8_t>(v);
    }
    return t;
}

}  // namespace imaging
