// Arbitrary bytes as the entry text: valueOf must give what the leading run
// of digits is worth, and the three texts of that value must follow.

#include "conversion.h"
#include "oracle.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// The rule as the README states it, in the C library's terms rather than
// the parser's: blanks (space, tab) in front are skipped, the digits that
// follow are read and the rest is ignored; no digits read as 0, and a run
// too long for a double as infinity. strtod rounds correctly, as reading a
// decimal number must. A NUL byte ends the digits like any other non-digit.
double expectedValue(std::string_view entry)
{
    const std::string text(entry);
    const char *digits = text.c_str() + std::strspn(text.c_str(), " \t");
    const std::string run(digits, std::strspn(digits, "0123456789"));
    return run.empty() ? 0.0 : std::strtod(run.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view entry(reinterpret_cast<const char *>(data), size);
    const double value = conversion::valueOf(entry);

    if (std::isnan(value) || value < 0 || (!std::isinf(value) && value != std::floor(value)))
        oracle::fail("valueOf", std::to_string(value), "not a whole number >= 0 nor infinity");
    if (const double want = expectedValue(entry); value != want)
        oracle::fail("valueOf", std::to_string(value), "want " + std::to_string(want));

    std::optional<std::uint32_t> bits;
    if (value < 2147483648.0)
        bits = std::uint32_t(value);
    oracle::checkTexts(conversion::dec2bin(value), conversion::hexText(value), conversion::octText(value), bits);
    return 0;
}
