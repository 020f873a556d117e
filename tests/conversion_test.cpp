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
    std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, base).ptr);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

struct Forms {
    double value;
    std::string bin, hex, oct;
};

void expectForms(const Forms &f)
{
    EXPECT_EQ(dec2bin(f.value), f.bin) << "value " << f.value;
    EXPECT_EQ(hexText(f.value), f.hex) << "value " << f.value;
    EXPECT_EQ(octText(f.value), f.oct) << "value " << f.value;
}

const std::string big(tooBig);
constexpr double inf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(ValueOf, ReadsLeadingAsciiDigits)
{
    const std::pair<std::string, double> cases[] = {
        {"", 0}, {"0", 0}, {"255", 255}, {"007", 7}, {std::string(39, '0') + "1", 1},
        {"2147483647", 2147483647.0}, {"2147483648", 2147483648.0},
        {"9007199254740993", 9007199254740992.0},  // the nearest double
        // Fifteen digits add up exactly; sixteen may have to round.
        {"999999999999999", 999999999999999.0}, {"9999999999999999", 1e16},
        {std::string(308, '9'), 1e308}, {std::string(309, '9'), inf}, {std::string(100000, '7'), inf},
        // Text that is not all digits: blanks skipped, then digits up to the
        // first other character; no sign, point, exponent or radix prefix.
        {"  12x", 12}, {"\t42", 42}, {"12 34", 12}, {"abc", 0}, {"-5", 0}, {"1.5", 1}, {"1e3", 1},
        {"&HFF", 0}, {"0x1F", 0}, {"\xd9\xa3", 0}, {std::string("7\0" "8", 3), 7},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(valueOf(text), value) << '"' << text.substr(0, 40) << '"';
}

TEST(Conversion, KnownValuesAndTheLimit)
{
    const Forms cases[] = {
        {0, "0", "0", "0"}, {5, "101", "5", "5"}, {10, "1010", "A", "12"}, {12, "1100", "C", "14"},
        {255, "11111111", "FF", "377"},
        {1073741824, "1" + std::string(30, '0'), "40000000", "10000000000"},
        {2147483647, std::string(31, '1'), "7FFFFFFF", "17777777777"},
        {std::nextafter(limit, 0.0), std::string(31, '1'), "7FFFFFFF", "17777777777"},
        {2147483648.0, big, big, big}, {4294967295.0, big, big, big}, {1e20, big, big, big},
    };
    for (const Forms &f : cases)
        expectForms(f);
}

TEST(Conversion, EveryDoubleHasADefinedResult)
{
    const Forms cases[] = {
        {inf, big, big, big}, {-inf, big, big, big}, {std::nan(""), big, big, big},
        {std::numeric_limits<double>::max(), big, big, big}, {-2147483649.0, big, big, big},
        // Fractions by their whole part.
        {2.5, "10", "2", "2"}, {3.5, "11", "3", "3"}, {0.999, "0", "0", "0"}, {-0.0, "0", "0", "0"},
        {-0.5, "0", "0", "0"}, {std::numeric_limits<double>::denorm_min(), "0", "0", "0"},
        // Negatives in 32-bit two's complement.
        {-1, std::string(32, '1'), "FFFFFFFF", "37777777777"},
        {-5, std::string(29, '1') + "011", "FFFFFFFB", "37777777773"},
        {-2147483648.0, "1" + std::string(31, '0'), "80000000", "20000000000"},
    };
    for (const Forms &f : cases)
        expectForms(f);
}

TEST(Conversion, EveryPowerOfTwoAndItsNeighboursMatchTheOracle)
{
    for (int bit = 0; bit <= 31; ++bit)
        for (std::uint32_t v = (1U << bit) - 1; v <= (1U << bit) + 1 && v < (1U << 31); ++v)
            expectForms({double(v), oracle(v, 2), oracle(v, 16), oracle(v, 8)});
}

TEST(Conversion, RandomValuesThroughTheParseMatchTheOracle)
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
