#include "conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

using namespace conversion;

namespace {

// An independent oracle: the standard library's own digit writer on uint32.
std::string oracle(std::uint32_t value, int base)
{
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, base).ptr;
    std::string text(buffer, end);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

void expectAllThree(double value, const std::string &bin, const std::string &hex, const std::string &oct)
{
    EXPECT_EQ(dec2bin(value), bin) << "value " << value;
    EXPECT_EQ(hexText(value), hex) << "value " << value;
    EXPECT_EQ(octText(value), oct) << "value " << value;
}

const std::string tooBigText(tooBig);

}  // namespace

TEST(ValueOf, DigitsGiveTheirDecimalValue)
{
    EXPECT_EQ(valueOf("0"), 0.0);
    EXPECT_EQ(valueOf("255"), 255.0);
    EXPECT_EQ(valueOf("2147483647"), 2147483647.0);
    EXPECT_EQ(valueOf("2147483648"), 2147483648.0);
    EXPECT_EQ(valueOf("9007199254740993"), 9007199254740992.0);  // nearest double
}

TEST(ValueOf, LeadingZerosAreIgnoredAndEmptyIsZero)
{
    EXPECT_EQ(valueOf("007"), 7.0);
    EXPECT_EQ(valueOf("00012"), 12.0);
    EXPECT_EQ(valueOf("0000000000000000000000000000000000000001"), 1.0);
    EXPECT_EQ(valueOf(""), 0.0);
}

TEST(ValueOf, BeyondTheLargestDoubleIsInfinityNotAFailure)
{
    EXPECT_EQ(valueOf(std::string(309, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(valueOf(std::string(100000, '7')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(valueOf(std::string(308, '9')), 1e308);
}

TEST(ValueOf, TextThatIsNotAllDigitsReadsItsLeadingDigitsOnly)
{
    EXPECT_EQ(valueOf("  12x"), 12.0);
    EXPECT_EQ(valueOf("\t42"), 42.0);
    EXPECT_EQ(valueOf("12 34"), 12.0);
    EXPECT_EQ(valueOf("abc"), 0.0);
    EXPECT_EQ(valueOf("-5"), 0.0);       // no sign: the value is never negative
    EXPECT_EQ(valueOf("1.5"), 1.0);      // no decimal point: always whole
    EXPECT_EQ(valueOf("1e3"), 1.0);      // no exponent
    EXPECT_EQ(valueOf("&HFF"), 0.0);     // no radix prefix
    EXPECT_EQ(valueOf("0x1F"), 0.0);
    EXPECT_EQ(valueOf("\xd9\xa3"), 0.0);  // an Arabic-Indic digit is not a digit here
    EXPECT_EQ(valueOf(std::string("7\0" "8", 3)), 7.0);
}

TEST(Conversion, SmallValues)
{
    expectAllThree(0, "0", "0", "0");
    expectAllThree(1, "1", "1", "1");
    expectAllThree(2, "10", "2", "2");
    expectAllThree(5, "101", "5", "5");
    expectAllThree(8, "1000", "8", "10");
    expectAllThree(10, "1010", "A", "12");
    expectAllThree(12, "1100", "C", "14");
    expectAllThree(255, "11111111", "FF", "377");
}

TEST(Conversion, LargestValueBelowTheLimit)
{
    expectAllThree(2147483647, std::string(31, '1'), "7FFFFFFF", "17777777777");
    expectAllThree(1073741824, "1" + std::string(30, '0'), "40000000", "10000000000");
}

TEST(Conversion, LimitIsExclusive)
{
    expectAllThree(2147483648.0, tooBigText, tooBigText, tooBigText);
    expectAllThree(std::nextafter(limit, 0.0), std::string(31, '1'), "7FFFFFFF", "17777777777");
    expectAllThree(4294967295.0, tooBigText, tooBigText, tooBigText);
    expectAllThree(valueOf(std::string(20, '9')), tooBigText, tooBigText, tooBigText);
}

TEST(Conversion, EntryTextsThroughTheValueParse)
{
    const double twelve = valueOf("00012");
    expectAllThree(twelve, "1100", "C", "14");
    const double empty = valueOf("");
    expectAllThree(empty, "0", "0", "0");
}

TEST(Conversion, EveryPowerOfTwoAndItsNeighboursMatchTheOracle)
{
    for (int bit = 0; bit < 31; ++bit) {
        const std::int64_t power = std::int64_t{1} << bit;
        for (std::int64_t v = power - 1; v <= power + 1; ++v) {
            if (v < 0 || v >= std::int64_t{1} << 31)
                continue;
            const auto u = static_cast<std::uint32_t>(v);
            expectAllThree(double(v), oracle(u, 2), oracle(u, 16), oracle(u, 8));
        }
    }
}

TEST(Conversion, RandomValuesMatchTheOracle)
{
    std::mt19937 generator(20261207);
    std::uniform_int_distribution<std::uint32_t> below(0, 0x7FFFFFFF);
    for (int n = 0; n < 200000; ++n) {
        const std::uint32_t u = below(generator);
        const double value = valueOf(std::to_string(u));
        ASSERT_EQ(dec2bin(value), oracle(u, 2)) << u;
        ASSERT_EQ(hexText(value), oracle(u, 16)) << u;
        ASSERT_EQ(octText(value), oracle(u, 8)) << u;
    }
}

TEST(Conversion, DoublesOutsideTheEntrysRangeHaveDefinedResults)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expectAllThree(inf, tooBigText, tooBigText, tooBigText);
    expectAllThree(nan, tooBigText, tooBigText, tooBigText);
    expectAllThree(-inf, tooBigText, tooBigText, tooBigText);
    expectAllThree(-2147483649.0, tooBigText, tooBigText, tooBigText);
    expectAllThree(std::numeric_limits<double>::max(), tooBigText, tooBigText, tooBigText);
}

TEST(Conversion, FractionsAreWrittenByTheirWholePart)
{
    expectAllThree(2.5, "10", "2", "2");
    expectAllThree(3.5, "11", "3", "3");
    expectAllThree(0.999, "0", "0", "0");
    expectAllThree(std::numeric_limits<double>::denorm_min(), "0", "0", "0");
    expectAllThree(-0.0, "0", "0", "0");
    expectAllThree(-0.5, "0", "0", "0");
}

TEST(Conversion, NegativesAreThirtyTwoBitTwosComplement)
{
    expectAllThree(-1, std::string(32, '1'), "FFFFFFFF", "37777777777");
    expectAllThree(-5, std::string(29, '1') + "011", "FFFFFFFB", "37777777773");
    expectAllThree(-2147483648.0, "1" + std::string(31, '0'), "80000000", "20000000000");
}
