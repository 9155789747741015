// The encoder's quality scale: the anchor tables at 0, 50 and 99, and what lies between.
#include <gtest/gtest.h>

#include "imaging/jpeg_frame.hpp"
#include "imaging/quant_tables.hpp"

namespace {

using imaging::encoderQuantTable;
using imaging::QuantTable;

TEST(QuantTables, AnchorsAtTheirQualities) {
    for (const bool chroma : {false, true}) {
        SCOPED_TRACE(chroma ? "chroma" : "luma");
        EXPECT_EQ(encoderQuantTable(99, chroma), imaging::quantAnchorF(chroma));
        EXPECT_EQ(encoderQuantTable(50, chroma), imaging::quantAnchorM(chroma));
        EXPECT_EQ(encoderQuantTable(0, chroma), imaging::quantAnchorR(chroma));
        for (const int outside : {100, 101, -1, 1000}) {
            EXPECT_EQ(encoderQuantTable(outside, chroma), encoderQuantTable(75, chroma)) << outside;
        }
    }
}

TEST(QuantTables, AnchorValuesInZigZagOrder) {
    // M is the usual table, stored row-major: zig-zag position 2 is row 1, column 0.
    EXPECT_EQ(imaging::quantAnchorM(false)[0], 16);
    EXPECT_EQ(imaging::quantAnchorM(false)[1], 11);
    EXPECT_EQ(imaging::quantAnchorM(false)[2], 12);
    EXPECT_EQ(imaging::quantAnchorM(false)[63], 99);
    EXPECT_EQ(imaging::quantAnchorM(true)[2], 18);
    const QuantTable& fineLuma = imaging::quantAnchorF(false);
    EXPECT_EQ(fineLuma[18], 2);  // position 19
    EXPECT_EQ(fineLuma[19], 4);  // positions 20..24
    EXPECT_EQ(fineLuma[23], 4);
    EXPECT_EQ(fineLuma[24], 2);  // position 25
    EXPECT_EQ(fineLuma[25], 4);  // positions 26..64
    const QuantTable& fineChroma = imaging::quantAnchorF(true);
    EXPECT_EQ(fineChroma[8], 2);
    EXPECT_EQ(fineChroma[9], 4);
    EXPECT_EQ(fineChroma[14], 4);
    EXPECT_EQ(fineChroma[15], 8);
    EXPECT_EQ(imaging::quantAnchorR(false)[31], 240);  // position 32
    EXPECT_EQ(imaging::quantAnchorR(false)[32], 255);
    EXPECT_EQ(imaging::quantAnchorR(true)[10], 245);
    EXPECT_EQ(imaging::quantAnchorR(true)[17], 240);
    EXPECT_EQ(imaging::quantAnchorR(true)[18], 255);
}

TEST(QuantTables, InterpolationRoundsAsTheScaleSays) {
    struct Case {
        int quality;
        bool chroma;
        int position;  // zig-zag, from 0
        int expected;
    };
    const Case cases[] = {
        // F 2, M 16: 2 + (14 * 24 + 24) / 49 = 2 + 7.
        {75, false, 0, 9},
        // F 2, M 16: 2 + (14 * 1 + 24) / 49 = 2.
        {98, false, 0, 2},
        // R 20, M 16: 20 - (4 * 25 + 25) / 50 = 18.
        {25, false, 0, 18},
        // R 245, M 99 (chroma position 11): 245 - (146 * 1 + 25) / 50 = 242.
        {1, true, 10, 242},
        // F 8, M 99: 8 + (91 * 48 + 24) / 49 = 97.
        {51, true, 40, 97},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encoderQuantTable(c.quality, c.chroma)[c.position], c.expected)
            << "q" << c.quality << (c.chroma ? " chroma " : " luma ") << c.position;
    }
}

TEST(QuantTables, NeverZeroAndMonotoneInQuality) {
    for (const bool chroma : {false, true}) {
        for (int q = 1; q <= 99; ++q) {
            const QuantTable lower = encoderQuantTable(q - 1, chroma);
            const QuantTable higher = encoderQuantTable(q, chroma);
            for (int k = 0; k < 64; ++k) {
                ASSERT_GE(higher[k], 1);
                ASSERT_LE(higher[k], lower[k]) << "q" << q << " position " << k;
            }
        }
    }
}

}  // namespace
