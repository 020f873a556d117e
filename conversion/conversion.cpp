#include "conversion.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace conversion {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The 32-bit pattern the three texts are written from, or nothing when the
// value lies outside what 32 bits can show. Checking the range before the
// cast is what keeps the cast defined.
std::optional<std::uint32_t> bitsOf(double value)
{
    if (!(value < limit))  // also catches NaN
        return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < -limit)
        return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(whole));
}

// Upper-case digits straight from the bits; base is a power of two, so
// the division and remainder are shifts and masks.
template <unsigned base>
std::string digitsIn(std::uint32_t bits)
{
    static constexpr char alphabet[] = "0123456789ABCDEF";
    std::array<char, 32> buffer{};
    auto first = buffer.end();
    do {
        *--first = alphabet[bits % base];
        bits /= base;
    } while (bits != 0);
    return std::string(first, buffer.end());
}

}  // namespace

double valueOf(std::string_view entry)
{
    std::size_t first = 0;
    while (first < entry.size() && isBlank(entry[first]))
        ++first;
    std::size_t last = first;
    while (last < entry.size() && isDigit(entry[last]))
        ++last;
    if (last == first)
        return 0.0;

#ifdef _LIBCPP_VERSION
    // The libc++ of the WebAssembly build has no floating-point from_chars.
    // A run of plain digits reads the same in every locale, and strtod
    // rounds it as from_chars does, overflowing to infinity.
    return std::strtod(std::string(entry.substr(first, last - first)).c_str(), nullptr);
#else
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(entry.data() + first, entry.data() + last, value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range)
        return std::numeric_limits<double>::infinity();
    return value;
#endif
}

std::string dec2bin(const double &mynum)
{
    const auto bits = bitsOf(mynum);
    if (!bits)
        return std::string(tooBig);

    // Digits are prepended from bit 0 upward until the next power of two
    // exceeds the value, so the body runs at least once (0 gives "0") and
    // no leading zero is ever written. The powers are exact in 64 bits, so
    // comparing them with the bits is comparing them with the value.
    std::array<char, 32> digits{};
    auto first = digits.end();
    std::uint64_t p = 1;  // 2 to the power i
    do {
        *--first = (*bits & p) == p ? '1' : '0';
        p <<= 1;
    } while (!(p > *bits));
    return std::string(first, digits.end());
}

std::string hexText(double value)
{
    const auto bits = bitsOf(value);
    return bits ? digitsIn<16>(*bits) : std::string(tooBig);
}

std::string octText(double value)
{
    const auto bits = bitsOf(value);
    return bits ? digitsIn<8>(*bits) : std::string(tooBig);
}

}  // namespace conversion
