#include "runtime/decimal.hpp"
#include "runtime/error.hpp"

#include <gtest/gtest.h>

#include "tests/runtime/error_number.hpp"

#include <climits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using runtime::Decimal;
using runtime::DecimalSpec;
using runtime::DecimalVar;
using runtime::RuntimeError;


Decimal dec(const char* text) { return Decimal::fromText(text); }

const std::string k36Ones = "0." + std::string(36, '1');
const std::string kOne36th = "0." + std::string(35, '0') + "1";  // 10^-36

// The profit of a position as the diary computes it: the price difference in a "-3.5"
// variable, times the lots in a "-6.5" variable, times the lot size in a "-9.5" variable.
std::string profit(const char* open, const char* close, bool sell, const char* lots) {
    DecimalVar basePL("-3.5");
    basePL = dec(close) - dec(open);
    if (sell) basePL = -basePL.value();
    DecimalVar tradePL("-6.5");
    tradePL = basePL.value() * dec(lots);
    DecimalVar amount("-9.5");
    amount = tradePL.value() * Decimal::fromText("10000");
    return amount.value().toText();
}

TEST(DecimalProfit, SubtractionKeepsEveryFractionDigit) {
    DecimalVar diff("-3.5");
    diff = dec("0.91234") - dec("0.9");
    EXPECT_EQ(diff.value().toText(), " 0.01234");
    EXPECT_EQ(diff.value(), dec("0.01234"));
}

TEST(DecimalProfit, PositionsComeOutExact) {
    // A sell at 110.00 closed at 110.20 loses 0.2 per unit.
    EXPECT_EQ(profit("110.00", "110.20", true, "1"), "-2000");
    EXPECT_EQ(profit("110.50", "111.00", false, "2"), " 10000");
    EXPECT_EQ(profit("0.9", "0.91234", false, "3"), " 370.2");
}

TEST(DecimalText, FromTextReadsLikeValAndPrintsNormalised) {
    const struct {
        const char* text;
        const char* printed;
    } cases[] = {
        {" -0.5abc", "-0.5"},
        {"0.91234", " 0.91234"},
        {"1.50", " 1.5"},
        {"-2000", "-2000"},
        {"-0", " 0"},
        {"-0.000", " 0"},
        {"", " 0"},
        {"abc", " 0"},
        {"\t+7", " 7"},
        {".25", " 0.25"},
        {"1e3", " 1000"},
        {"1.5E-3", " 0.0015"},
        {"12D-1", " 1.2"},
        {"1E", " 1"},
        {"1e+x", " 1"},
        {" 1 2", " 1"},
        {"0e999999999999", " 0"},
        {"123456789012345678901234567890123456", " 123456789012345678901234567890123456"},
        {"1000000000000000000000000000000000000000e-2", " 10000000000000000000000000000000000000"},
        {"1e38", " 100000000000000000000000000000000000000"},
        // Beyond the 36th fraction digit the value is rounded, half away from zero.
        {"1e-37", " 0"},
        {"5e-37", " 0.000000000000000000000000000000000001"},
        {"-5e-37", "-0.000000000000000000000000000000000001"},
        {"1e-999999999999", " 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(dec(c.text).toText(), c.printed) << '"' << c.text << '"';
}

TEST(DecimalText, TooManyDigitsOrTooLargeIsOverflow) {
    for (const char* text : {"1234567890123456789012345678901234567",  // 37 significant
                             "0.1234567890123456789012345678901234567", "2e38", "1e39",
                             "-1e999999999999"})
        EXPECT_RUNTIME_ERROR(dec(text), runtime::err::Overflow) << text;
}

TEST(DecimalText, TextRoundTrips) {
    for (const char* text : {" 0", " 0.91234", "-2000", " 999999999.99999", "-0.00001",
                             " 99999999999999999999999999999999999.9",
                             "-0.000000000000000000000000000000000001"}) {
        const Decimal d = dec(text);
        EXPECT_EQ(d.toText(), text);
        EXPECT_EQ(dec(d.toText().c_str()), d) << text;
    }
    EXPECT_EQ(Decimal::fromInt(LLONG_MIN).toText(), "-9223372036854775808");
}

TEST(DecimalArithmetic, ProductsAreExactUpToThirtySixFractionDigits) {
    const struct {
        std::string a, b, product;
    } cases[] = {
        {"-0.2", "1", "-0.2"},
        {"0.5", "2", " 1"},
        {"-1.25", "-0.04", " 0.05"},
        {"0.000000000000000001", "0.000000000000000001", " " + kOne36th},
        // Wider than 128 bits before the fraction's zeros are dropped.
        {"0.5", "4e37", " 20000000000000000000000000000000000000"},
        // Rounded to 36 fraction digits, half away from zero.
        {"0.5e-18", "1e-18", " " + kOne36th},
        {"-0.5e-18", "1e-18", "-" + kOne36th},
        {"0.49e-18", "1e-18", " 0"},
        {"0." + std::string(36, '3'), "0." + std::string(36, '3'), " " + k36Ones},
        {"0." + std::string(35, '6') + "7", "-0." + std::string(35, '6') + "7",
         "-0." + std::string(35, '4') + "5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ((dec(c.a.c_str()) * dec(c.b.c_str())).toText(), c.product) << c.a << " * " << c.b;
}

TEST(DecimalArithmetic, SumsAlignScales) {
    EXPECT_EQ((dec("1.5") + dec("0.25")).toText(), " 1.75");
    EXPECT_EQ((dec("0.1") - dec("0.35")).toText(), "-0.25");
    EXPECT_EQ((dec("0.3") - dec("0.1") - dec("0.2")).toText(), " 0");
    EXPECT_EQ((dec("1e37") + dec("1e37")).toText(), " 20000000000000000000000000000000000000");
    EXPECT_EQ((-dec("2.5")).toText(), "-2.5");
}

TEST(DecimalArithmetic, ResultsBeyondTheUnitsAreOverflow) {
    EXPECT_RUNTIME_ERROR(dec("1e38") + dec("1e38"), runtime::err::Overflow);
    EXPECT_RUNTIME_ERROR(dec("-1e38") - dec("1e38"), runtime::err::Overflow);
    EXPECT_RUNTIME_ERROR(dec("1e37") * dec("100"), runtime::err::Overflow);
    EXPECT_RUNTIME_ERROR(dec("-1e20") * dec("1e20"), runtime::err::Overflow);
    // Exact alignment of 1e37 to 36 fraction digits needs 74 digits.
    EXPECT_RUNTIME_ERROR(dec("1e37") + dec(kOne36th.c_str()), runtime::err::Overflow);
}

TEST(DecimalCompare, ComparesByValue) {
    EXPECT_EQ(dec("1.50"), dec("1.5"));
    EXPECT_EQ(dec("-0"), Decimal());
    EXPECT_NE(dec("1.5"), dec("1.05"));
    EXPECT_LT(dec("-1.5"), dec("-1.25"));
    EXPECT_LT(dec("-0.5"), dec("0.25"));
    EXPECT_LT(dec("0.25"), dec("1"));
    EXPECT_GT(dec("2"), dec("1.99999"));
    EXPECT_GT(dec("1e37"), dec("0.5"));  // no common scale fits the units
    EXPECT_LT(dec("-1e37"), dec(kOne36th.c_str()));
    EXPECT_EQ(dec("1e37") <=> dec("1e37"), std::strong_ordering::equal);
}

TEST(DecimalQueries, SignIntegerDigitsAndDouble) {
    const struct {
        const char* text;
        int sign;
        int integerDigits;
        double asDouble;
    } cases[] = {
        {"0", 0, 0, 0.0},         {"0.99", 1, 0, 0.99},       {"1", 1, 1, 1.0},
        {"-12.5", -1, 2, -12.5},  {"999.99999", 1, 3, 999.99999}, {"1000", 1, 4, 1000.0},
        {"0.1", 1, 0, 0.1},       {"-2000", -1, 4, -2000.0},
    };
    for (const auto& c : cases) {
        const Decimal d = dec(c.text);
        EXPECT_EQ(d.sign(), c.sign) << c.text;
        EXPECT_EQ(d.integerDigits(), c.integerDigits) << c.text;
        EXPECT_EQ(d.toDouble(), c.asDouble) << c.text;
    }
}

TEST(DecimalRounded, RoundsHalfAwayFromZero) {
    const struct {
        const char* text;
        int digits;
        const char* rounded;
    } cases[] = {
        {"1.25", 1, " 1.3"},         {"-1.25", 1, "-1.3"},  {"1.24", 1, " 1.2"},
        {"0.5", 0, " 1"},            {"-0.5", 0, "-1"},     {"2.5", 0, " 3"},
        {"1.5", 5, " 1.5"},          {"999.999995", 5, " 1000"},
        {"0.123456", 5, " 0.12346"}, {"-0.000004", 5, " 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dec(c.text).rounded(c.digits).toText(), c.rounded)
            << c.text << " to " << c.digits;
    EXPECT_RUNTIME_ERROR(dec("1.5").rounded(-1), runtime::err::IllegalArgument);
}

TEST(DecimalSpecParse, ReadsIntegerAndFractionDigits) {
    const struct {
        const char* text;
        bool isSigned;
        int integerDigits, fractionDigits;
    } cases[] = {
        {"3.5", false, 3, 5}, {"-9.5", true, 9, 5}, {"-6.5", true, 6, 5},
        {"0.0", false, 0, 0}, {"18.18", false, 18, 18}, {"018.5", false, 18, 5},
    };
    for (const auto& c : cases) {
        const DecimalSpec parsed = DecimalSpec::parse(c.text);
        EXPECT_EQ(parsed.isSigned, c.isSigned) << c.text;
        EXPECT_EQ(parsed.integerDigits, c.integerDigits) << c.text;
        EXPECT_EQ(parsed.fractionDigits, c.fractionDigits) << c.text;
    }
}

TEST(DecimalSpecParse, OtherFormsAreIllegal) {
    for (const char* text : {"", "3", "a.b", "--3.5", "+3.5", " 3.5", "3.5 ", "3.5x", ".5", "3.",
                             "-", "-.", "19.5", "3.19", "3.5.1", "100000000000000000000.1"})
        EXPECT_RUNTIME_ERROR(DecimalSpec::parse(text), runtime::err::IllegalArgument)
            << '"' << text << '"';
}

TEST(DecimalVarAssign, RoundsThenChecksTheDeclaredDigits) {
    const struct {
        const char* declared;
        const char* value;
        std::optional<const char*> stored;  // empty: error 6
    } cases[] = {
        {"3.5", "0.123456", " 0.12346"},
        {"3.5", "999.99999", " 999.99999"},
        {"3.5", "999.999995", {}},  // rounds up to 1000
        {"3.5", "1000", {}},
        {"3.5", "-1", {}},
        {"3.5", "-0.000004", " 0"},  // rounds to zero, which an unsigned variable holds
        {"-3.5", "-999.99999", "-999.99999"},
        {"-9.5", "999999999.99999", " 999999999.99999"},
        {"-9.5", "-999999999.99999", "-999999999.99999"},
        {"-9.5", "1e9", {}},
        {"-6.5", "-1000000", {}},
        {"0.0", "0.4", " 0"},
        {"0.0", "0.5", {}},
    };
    for (const auto& c : cases) {
        DecimalVar var(c.declared);
        var = "0.4";
        const std::string before = var.value().toText();
        if (c.stored) {
            var = dec(c.value);
            EXPECT_EQ(var.value().toText(), *c.stored) << c.declared << " <- " << c.value;
        } else {
            EXPECT_RUNTIME_ERROR(var = dec(c.value), runtime::err::Overflow)
                << c.declared << " <- " << c.value;
            EXPECT_EQ(var.value().toText(), before) << "old value kept";
        }
    }
}

TEST(DecimalVarAssign, VariableToVariableKeepsTheTargetDigits) {
    DecimalVar wide("-9.5");
    wide = "12345.5";
    DecimalVar narrow("3.5");
    narrow = "1.25";
    EXPECT_RUNTIME_ERROR(narrow = wide, runtime::err::Overflow);
    EXPECT_EQ(narrow.spec().integerDigits, 3);
    EXPECT_FALSE(narrow.spec().isSigned);
    EXPECT_EQ(narrow.value().toText(), " 1.25");

    DecimalVar coarse("-6.1");
    coarse = wide;
    EXPECT_EQ(coarse.value().toText(), " 12345.5");
    EXPECT_EQ(coarse.spec().fractionDigits, 1);
}

// The digits a variable was declared with, written as they are declared ("-9.5").
std::string digitsOf(const DecimalVar& v) {
    const DecimalSpec& d = v.spec();
    return (d.isSigned ? "-" : "") + std::to_string(d.integerDigits) + "." + std::to_string(d.fractionDigits);
}

TEST(DecimalVarCopyMove, ConstructionTakesTheDigitsAssignmentKeepsItsOwn) {
    DecimalVar wide("-9.5");
    wide = "-123456.78901";
    const DecimalVar copied(wide);
    DecimalVar source(wide);
    const DecimalVar moved(std::move(source));
    for (const DecimalVar* made : {&copied, &moved}) {
        EXPECT_EQ(digitsOf(*made), "-9.5");
        EXPECT_EQ(made->value().toText(), "-123456.78901");
    }
    EXPECT_EQ(source.value().toText(), "-123456.78901") << "a moved-from variable is left as it was";

    // Swapping moves values, never digits.
    DecimalVar a("-9.5"), b("-3.5");
    a = "12.5";
    b = "-0.00001";
    std::swap(a, b);
    EXPECT_EQ(digitsOf(a), "-9.5");
    EXPECT_EQ(a.value().toText(), "-0.00001");
    EXPECT_EQ(digitsOf(b), "-3.5");
    EXPECT_EQ(b.value().toText(), " 12.5");
}

TEST(DecimalVarCopyMove, AssigningAVariableRoundsIntoTheTargetDigits) {
    const struct {
        const char* sourceDigits;
        const char* value;
        const char* targetDigits;
        std::optional<const char*> stored;  // empty: error 6, the old value stays
    } cases[] = {
        {"-9.5", "123.45678", "-3.5", " 123.45678"},
        {"-9.5", "-999.99999", "-3.5", "-999.99999"},
        {"-9.5", "1000", "-3.5", {}},
        {"-9.5", "-123456789.5", "-3.5", {}},
        {"-9.5", "-0.5", "3.5", {}},  // negative into unsigned
        {"-9.9", "0.123456789", "-3.5", " 0.12346"},
        {"-9.9", "-999.999995", "-3.5", {}},  // rounds to -1000
        {"-3.5", "-999.99999", "-9.5", "-999.99999"},
        {"-6.5", "0.5", "-6.0", " 1"},
    };
    for (const bool move : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(move ? "move " : "copy ") + c.sourceDigits + " " + c.value + " -> " +
                         c.targetDigits);
            DecimalVar source(c.sourceDigits);
            source = c.value;
            DecimalVar target(c.targetDigits);
            target = "1.5";
            const auto assign = [&] {
                if (move)
                    target = std::move(source);
                else
                    target = source;
            };
            if (c.stored) {
                assign();
                EXPECT_EQ(target.value().toText(), *c.stored);
            } else {
                EXPECT_RUNTIME_ERROR(assign(), runtime::err::Overflow);
                EXPECT_EQ(target.value().toText(), " 1.5");
            }
            EXPECT_EQ(digitsOf(target), c.targetDigits);
            EXPECT_EQ(digitsOf(source), c.sourceDigits);
            EXPECT_EQ(source.value(), dec(c.value)) << "the source is left as it was";
        }
    }
}

// The trade table's per-trade arrays: one element per slot 0..capacity, re-dimensioned
// when the capacity changes.
TEST(DecimalVarVector, ArraysKeepTheirDigitsWhenSizedGrownErasedAndReDimensioned) {
    const auto texts = [](const std::vector<DecimalVar>& v) {
        std::vector<std::string> out;
        for (const DecimalVar& e : v) out.push_back(e.value().toText());
        return out;
    };
    const auto allDeclared = [](const std::vector<DecimalVar>& v, const std::string& digits) {
        for (const DecimalVar& e : v)
            if (digitsOf(e) != digits) return false;
        return true;
    };
    for (const char* digits : {"-6.5", "-3.5", "-9.5"}) {
        SCOPED_TRACE(digits);
        std::vector<DecimalVar> values;
        values.assign(4, DecimalVar(digits));
        EXPECT_TRUE(allDeclared(values, digits));
        EXPECT_EQ(texts(values), (std::vector<std::string>{" 0", " 0", " 0", " 0"}));
        values[1] = "1.5";
        values[2] = "-2.25";
        values[3] = "3.12345";

        // Growing past the capacity moves the elements into new storage.
        values.resize(values.capacity() + 1, DecimalVar(digits));
        values.push_back(DecimalVar(digits));
        EXPECT_TRUE(allDeclared(values, digits));
        ASSERT_GE(values.size(), 6u);
        EXPECT_EQ(texts(values)[3], " 3.12345");
        values.resize(6, DecimalVar(digits));
        EXPECT_EQ(texts(values), (std::vector<std::string>{" 0", " 1.5", "-2.25", " 3.12345", " 0", " 0"}));

        // Erasing shifts the later values down.
        values.erase(values.begin() + 1);
        EXPECT_TRUE(allDeclared(values, digits));
        EXPECT_EQ(texts(values), (std::vector<std::string>{" 0", "-2.25", " 3.12345", " 0", " 0"}));

        // Re-dimensioning, as a change of the stock capacity does: all zero again.
        values.assign(8, DecimalVar(digits));
        EXPECT_TRUE(allDeclared(values, digits));
        EXPECT_EQ(texts(values), std::vector<std::string>(8, " 0"));
    }

    // With room in the storage, assign() assigns into the elements already there, and
    // they keep their digits; clearing first declares every element anew.
    std::vector<DecimalVar> values(3, DecimalVar("-6.5"));
    values.reserve(8);
    values.assign(5, DecimalVar("-3.5"));
    EXPECT_EQ(digitsOf(values[2]), "-6.5");
    EXPECT_EQ(digitsOf(values[3]), "-3.5");
    values.clear();
    values.assign(5, DecimalVar("-3.5"));
    EXPECT_TRUE(allDeclared(values, "-3.5"));
}

}  // namespace
