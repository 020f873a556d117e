// Arbitrary bytes as the entry text: valueOf must give what the leading run
// of digits is worth, and the three texts of that value must follow.

#include "conversion.h"
#include "oracle.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Blanks skipped, then the digits up to the first non-digit; leading zeros
// dropped. Empty when there are no digits.
std::string leadingNumber(std::string_view entry)
{
    std::size_t first = 0;
    while (first < entry.size() && (entry[first] == ' ' || entry[first] == '\t'))
        ++first;
    std::size_t last = first;
    while (last < entry.size() && entry[last] >= '0' && entry[last] <= '9')
        ++last;
    while (first < last && entry[first] == '0' && last - first > 1)
        ++first;
    return std::string(entry.substr(first, last - first));
}

// Up to 19 digits fit a uint64 exactly, and its conversion to double rounds
// correctly; longer runs go to the C library's strtod, which rounds
// correctly as well and overflows to infinity.
double expectedValue(const std::string &digits)
{
    if (digits.empty())
        return 0.0;
    if (digits.size() <= 19) {
        std::uint64_t n = 0;
        for (const char c : digits)
            n = n * 10 + std::uint64_t(c - '0');
        return double(n);
    }
    return std::strtod(digits.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view entry(reinterpret_cast<const char *>(data), size);
    const double value = conversion::valueOf(entry);

    if (std::isnan(value) || value < 0 || (!std::isinf(value) && value != std::floor(value)))
        oracle::fail("valueOf", std::to_string(value), "not a whole number >= 0 nor infinity");
    if (const double want = expectedValue(leadingNumber(entry)); value != want)
        oracle::fail("valueOf", std::to_string(value), "want " + std::to_string(want));

    std::optional<std::uint32_t> bits;
    if (value < 2147483648.0)
        bits = std::uint32_t(value);
    oracle::checkTexts(conversion::dec2bin(value), conversion::hexText(value), conversion::octText(value), bits);
    return 0;
}
