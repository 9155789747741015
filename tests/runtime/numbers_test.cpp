#include "runtime/error.hpp"
#include "runtime/number_scan.hpp"
#include "runtime/numbers.hpp"

#include <gtest/gtest.h>

#include "tests/runtime/error_number.hpp"

#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

namespace {

using runtime::RuntimeError;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();


TEST(NumberText, IntegersKeepASignColumn) {
    const struct {
        std::int32_t value;
        const char* text;
    } cases[] = {
        {0, " 0"},
        {12, " 12"},
        {-300, "-300"},
        {2147483647, " 2147483647"},
        {-2147483647 - 1, "-2147483648"},
    };
    for (const auto& c : cases) EXPECT_EQ(runtime::numberText(c.value), c.text) << c.value;
}

TEST(NumberText, SinglesRoundToSevenSignificantDigits) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0f, " 0"},
        {-0.0f, " 0"},
        {0.1f, " 0.1"},
        {-0.25f, "-0.25"},
        {0.5f, " 0.5"},
        {110.025f, " 110.025"},
        {10000.0f, " 10000"},
        {1234567.0f, " 1234567"},
        {9999999.0f, " 9999999"},
        {10000000.0f, " 1E+07"},
        {12345678.0f, " 1.234568E+07"},
        {-12345678.0f, "-1.234568E+07"},
        // Exact ties of the binary value go to the even digit.
        {1234567.5f, " 1234568"},
        {1234568.5f, " 1234568"},
        {0.99999994f, " 0.9999999"},  // largest single below 1
        // 0.00001f is slightly below 1E-05; the form is chosen after rounding.
        {0.00001f, " 0.00001"},
        {0.000012345f, " 0.000012345"},
        {1e-6f, " 1E-06"},
        {-1.5e-7f, "-1.5E-07"},
        {FLT_MAX, " 3.402823E+38"},
        {std::numeric_limits<float>::denorm_min(), " 1.401298E-45"},
    };
    for (const auto& c : cases) EXPECT_EQ(runtime::numberText(c.value), c.text) << c.text;
}

TEST(NumberText, DoublesRoundToFifteenSignificantDigits) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, " 0"},
        {0.1, " 0.1"},
        {0.1 + 0.2, " 0.3"},
        {1.0 / 3.0, " 0.333333333333333"},
        {-2.0 / 3.0, "-0.666666666666667"},
        {110.025, " 110.025"},
        {123456789012345.0, " 123456789012345"},
        {999999999999999.0, " 999999999999999"},
        {1e15, " 1E+15"},
        {1234567890123456.0, " 1.23456789012346E+15"},
        {0.00001, " 0.00001"},
        {1e-6, " 1E-06"},
        {1e-300, " 1E-300"},
        {-1.5e300, "-1.5E+300"},
    };
    for (const auto& c : cases) EXPECT_EQ(runtime::numberTextDouble(c.value), c.text) << c.text;
}

TEST(NumberText, NotANumberAndInfinitiesHaveFixedForms) {
    EXPECT_EQ(runtime::numberText(std::numeric_limits<float>::quiet_NaN()), " NaN");
    EXPECT_EQ(runtime::numberText(std::numeric_limits<float>::infinity()), " Inf");
    EXPECT_EQ(runtime::numberTextDouble(-kInf), "-Inf");
    EXPECT_EQ(runtime::numberTextDouble(kNaN), " NaN");
}

TEST(DigitsOf, DropsTheSignPosition) {
    EXPECT_EQ(runtime::digitsOf(12), "12");
    EXPECT_EQ(runtime::digitsOf(-12), "12");
    EXPECT_EQ(runtime::digitsOf(0), "0");
    EXPECT_EQ(runtime::digitsOf(0.5f), "0.5");
    EXPECT_EQ(runtime::digitsOf(-0.25f), "0.25");
    EXPECT_EQ(runtime::digitsOf(12345678.0f), "1.234568E+07");
}

TEST(Val, ReadsTheLongestNumberAtTheStart) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"  12abc", 12},
        {"\t-3", -3},
        {"+7", 7},
        {"-.5", -0.5},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"- 5", 0},
        {" 1 2", 1},
        {"1.2.3", 1.2},
        {"000123", 123},
        {"0.1", 0.1},
        {"110.025", 110.025},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"25e-1", 2.5},
        {"1.5D2", 150},
        {"2d-1", 0.2},
        {"1E", 1},
        {"1e+", 1},
        {"1e-x", 1},
        {"1E5E5", 100000},
        {".e5", 0},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"1e308", 1e308},
        {"1e400", kInf},
        {"-1e99999999999999999999", -kInf},
        {"1e-400", 0},
        {"0e99999999999", 0},
        {"0.000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(runtime::val(c.text), c.value) << '"' << c.text << '"';
}

// Plain digits take a short way; a leading blank sends the same digits through the
// general scan, which must give the same value.
TEST(Val, PlainDigitsGiveWhatTheGeneralScanGives) {
    for (const char* digits : {"0", "0300", "00000", "9999", "32768", "9007199254740993", "999999999999999",
                               "123456789012345", "1234567890123456", "0000000000000001"}) {
        EXPECT_EQ(runtime::val(digits), runtime::val(std::string(" ") + digits)) << digits;
        EXPECT_EQ(runtime::val(digits), runtime::val(std::string(digits) + ".")) << digits;
    }
    EXPECT_EQ(runtime::val("0300"), 300);
    EXPECT_EQ(runtime::val("999999999999999"), 999999999999999.0);
}

TEST(Val, NeverReadsPastTheView) {
    // Exact-size heap buffers, so that a read beyond the end is caught by the sanitizer.
    const auto digits = std::make_unique<char[]>(2);
    digits[0] = '4';
    digits[1] = '2';
    EXPECT_EQ(runtime::val(std::string_view(digits.get(), 2)), 42);

    const auto exponent = std::make_unique<char[]>(2);
    exponent[0] = '1';
    exponent[1] = 'E';
    EXPECT_EQ(runtime::val(std::string_view(exponent.get(), 2)), 1);

    EXPECT_EQ(runtime::val(std::string_view("12345", 2)), 12);
    EXPECT_EQ(runtime::val(std::string_view("1e-5", 3)), 1);
}

TEST(ScanNumber, ReportsTheCharactersThatFormTheNumber) {
    const struct {
        const char* text;
        std::size_t length;
        const char* digits;
        long long exponent;
        bool negative;
    } cases[] = {
        {"  12abc", 4, "12", 0, false},
        {"-.5x", 3, "5", -1, true},
        {"1E", 1, "1", 0, false},
        {"1200", 4, "12", 2, false},
        {"0.0120e-3", 9, "12", -6, false},
        {"abc", 0, "", 0, false},
        {"-0", 2, "", 0, true},
    };
    for (const auto& c : cases) {
        const runtime::ScannedNumber s = runtime::scanNumber(c.text);
        EXPECT_EQ(s.length, c.length) << c.text;
        EXPECT_EQ(s.digits, c.digits) << c.text;
        EXPECT_EQ(s.exponent, c.exponent) << c.text;
        EXPECT_EQ(s.negative, c.negative) << c.text;
    }
}

TEST(ScanNumber, ClampsHugeExponents) {
    const runtime::ScannedNumber s = runtime::scanNumber("1e999999999999999999999999");
    EXPECT_EQ(s.exponent, runtime::ScannedNumber::kExponentLimit);
    EXPECT_EQ(runtime::scanNumber("1e-999999999999999999999999").exponent,
              -runtime::ScannedNumber::kExponentLimit);
}

TEST(ToInt16, RoundsHalfToEvenAndRejectsOutOfRange) {
    const struct {
        double value;
        std::optional<std::int16_t> result;  // empty: error 6
    } cases[] = {
        {2.5, 2},         {3.5, 4},         {-2.5, -2},       {-3.5, -4},
        {0.5, 0},         {1.5, 2},         {-0.5, 0},        {2.4999, 2},
        {2.5001, 3},      {-2.5001, -3},    {32767.0, 32767}, {32767.4, 32767},
        {-32768.5, -32768}, {32767.5, {}},   {-32768.6, {}},   {40000.0, {}},
        {kNaN, {}},       {kInf, {}},       {-kInf, {}},
    };
    for (const auto& c : cases) {
        if (c.result) {
            EXPECT_EQ(runtime::toInt16(c.value), *c.result) << c.value;
        } else {
            EXPECT_RUNTIME_ERROR(runtime::toInt16(c.value), runtime::err::Overflow)
                << c.value;
        }
    }
}

TEST(ToInt16, HugeTextValueIsAnOverflowNotACrash) {
    EXPECT_RUNTIME_ERROR(runtime::toInt16(runtime::val("9e999999999999")), runtime::err::Overflow);
}

TEST(ToInt32, RoundsHalfToEvenAndRejectsOutOfRange) {
    const struct {
        double value;
        std::optional<std::int32_t> result;
    } cases[] = {
        {2.5, 2},
        {-3.5, -4},
        {2147483647.4, 2147483647},
        {2147483647.5, {}},
        {-2147483648.5, -2147483647 - 1},
        {-2147483649.0, {}},
        {1e10, {}},
        {kNaN, {}},
    };
    for (const auto& c : cases) {
        if (c.result) {
            EXPECT_EQ(runtime::toInt32(c.value), *c.result) << c.value;
        } else {
            EXPECT_RUNTIME_ERROR(runtime::toInt32(c.value), runtime::err::Overflow)
                << c.value;
        }
    }
}

TEST(ToSingle, RejectsMagnitudesBeyondTheSingleRange) {
    EXPECT_EQ(runtime::toSingle(0.1), 0.1f);
    EXPECT_EQ(runtime::toSingle(-double(FLT_MAX)), -FLT_MAX);
    EXPECT_TRUE(std::isnan(runtime::toSingle(kNaN)));
    for (double v : {3.5e38, -3.5e38, kInf, -kInf})
        EXPECT_RUNTIME_ERROR(runtime::toSingle(v), runtime::err::Overflow) << v;
}

TEST(CheckedArithmetic, SixteenBitResultsOutOfRangeAreOverflow) {
    using F = std::int16_t (*)(std::int16_t, std::int16_t);
    const struct {
        F op;
        std::int16_t a, b;
        std::optional<std::int16_t> result;
    } cases[] = {
        {runtime::add16, 32766, 1, 32767},  {runtime::add16, 32767, 1, {}},
        {runtime::add16, -32768, -1, {}},   {runtime::add16, -32768, 32767, -1},
        {runtime::sub16, -32767, 1, -32768}, {runtime::sub16, -32768, 1, {}},
        {runtime::sub16, 0, -32768, {}},    {runtime::mul16, 181, 181, 32761},
        {runtime::mul16, -256, 128, -32768}, {runtime::mul16, 256, 128, {}},
        {runtime::mul16, -32768, -1, {}},
    };
    for (const auto& c : cases) {
        if (c.result) {
            EXPECT_EQ(c.op(c.a, c.b), *c.result) << c.a << ", " << c.b;
        } else {
            EXPECT_RUNTIME_ERROR(c.op(c.a, c.b), runtime::err::Overflow)
                << c.a << ", " << c.b;
        }
    }
}

TEST(CheckedArithmetic, ThirtyTwoBitResultsOutOfRangeAreOverflow) {
    using F = std::int32_t (*)(std::int32_t, std::int32_t);
    constexpr std::int32_t kMax = 2147483647;
    constexpr std::int32_t kMin = -kMax - 1;
    const struct {
        F op;
        std::int32_t a, b;
        std::optional<std::int32_t> result;
    } cases[] = {
        {runtime::add32, kMax - 1, 1, kMax}, {runtime::add32, kMax, 1, {}},
        {runtime::add32, kMin, -1, {}},      {runtime::sub32, kMin + 1, 1, kMin},
        {runtime::sub32, kMin, 1, {}},       {runtime::sub32, 0, kMin, {}},
        {runtime::mul32, 46340, 46340, 2147395600}, {runtime::mul32, 65536, 32768, {}},
        {runtime::mul32, -65536, 32768, kMin}, {runtime::mul32, kMin, -1, {}},
    };
    for (const auto& c : cases) {
        if (c.result) {
            EXPECT_EQ(c.op(c.a, c.b), *c.result) << c.a << ", " << c.b;
        } else {
            EXPECT_RUNTIME_ERROR(c.op(c.a, c.b), runtime::err::Overflow)
                << c.a << ", " << c.b;
        }
    }
}

TEST(ArraySearch, FindsTheFirstMatchFromStart) {
    const std::vector<int> a = {5, 7, 5, 9};
    EXPECT_EQ(runtime::arraySearch(a, 5), 0);
    EXPECT_EQ(runtime::arraySearch(a, 5, 1), 2);
    EXPECT_EQ(runtime::arraySearch(a, 9, 3), 3);
    EXPECT_EQ(runtime::arraySearch(a, 8), -1);
    EXPECT_EQ(runtime::arraySearch(a, 5, 4), -1);
    EXPECT_EQ(runtime::arraySearch(a, 5, -1), -1);
}

}  // namespace
