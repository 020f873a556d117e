#include "conversion.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace conversion {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The 32-bit pattern the three texts are written from, or nothing when the
// value lies outside what 32 bits can show. Checking the range before the
// cast is what keeps the cast defined: everything above -2^31 - 1 and below
// 2^31 truncates into a 32-bit signed integer.
std::optional<std::uint32_t> bitsOf(double value)
{
    if (!(value < limit && value > -limit - 1.0))  // also catches NaN
        return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

// Digits are made eight at a time in one 64-bit word, a byte each, and
// stored with one write: a loop that stores a byte per digit, for the
// string to copy them back, has the copy wait on each store to land.
constexpr std::uint64_t everyLane(std::uint64_t byte) { return byte * 0x0101010101010101ULL; }

// A group of `bits` ones at the bottom of every lane of `lane` bits.
constexpr std::uint64_t laneMask(unsigned lane, unsigned bits)
{
    std::uint64_t mask = 0;
    for (unsigned at = 0; at < 64; at += lane)
        mask |= ((std::uint64_t{1} << bits) - 1) << at;
    return mask;
}

// The eight digits of `width` bits each at the bottom of `field`, one to a
// byte, the first digit in the byte written first to memory. Each step
// halves the groups and moves the later half one lane up; a little-endian
// word then reverses its bytes, so memory order is reading order.
template <unsigned width>
[[gnu::always_inline]] inline std::uint64_t spread(std::uint64_t field)
{
    if constexpr (width == 1) {
        // One bit to a lane is quicker made by multiplying: the byte copied
        // into every lane, each lane keeps its own bit, and adding 0x7F
        // carries it to the lane's top, where no other bit is.
        constexpr std::uint64_t ownBit = std::endian::native == std::endian::little ? 0x0102040810204080ULL
                                                                                      : 0x8040201008040201ULL;
        const std::uint64_t x = (field & 0xFF) * everyLane(1) & ownBit;
        return (x + everyLane(0x7F)) >> 7 & everyLane(1);
    }
    std::uint64_t x = field & laneMask(64, 8 * width);
    x = (x | x << (32 - 4 * width)) & laneMask(32, 4 * width);
    x = (x | x << (16 - 2 * width)) & laneMask(16, 2 * width);
    x = (x | x << (8 - width)) & laneMask(8, width);
    if constexpr (std::endian::native == std::endian::little) {
        x = (x & laneMask(16, 8)) << 8 | (x >> 8 & laneMask(16, 8));
        x = (x & laneMask(32, 16)) << 16 | (x >> 16 & laneMask(32, 16));
        x = x << 32 | x >> 32;
    }
    return x;
}

// Upper-case ASCII for the digit in every byte: '0' onward, and 'A' onward
// from ten, where adding six carries into the byte's fifth bit.
template <unsigned width>
[[gnu::always_inline]] inline std::uint64_t ascii(std::uint64_t digits)
{
    std::uint64_t text = digits + everyLane('0');
    if constexpr (width == 4)
        text += ((digits + everyLane(6)) >> 4 & everyLane(1)) * ('A' - '0' - 10);
    return text;
}

// The eight digits of the pattern's `below`-th to `below + 7`-th place,
// counted from the last, as ASCII in memory order.
template <unsigned width>
[[gnu::always_inline]] inline std::uint64_t eightAt(std::uint64_t field, int below)
{
    return ascii<width>(spread<width>(below >= 0 ? field >> below : field << -below));
}

// The digits of the 32-bit pattern in base 2^width, most significant first,
// without leading zeros (0 gives "0"). They go straight into the string a
// word at a time: building the text on the stack and copying it made the
// copy's loads straddle the stores, each waiting for them to land. The
// string is made at a fixed size, which takes a few stores to fill where
// the count of digits would take a loop, and then cut to length.
template <unsigned width>
std::string digitsIn(std::uint32_t bits)
{
    constexpr unsigned widest = (32 + width - 1) / width;
    const unsigned count = std::max(1u, (unsigned(std::bit_width(bits)) + width - 1) / width);
    // Shifted so that the first digit leads the widest text.
    const std::uint64_t field = std::uint64_t{bits} << (width * (widest - count));
    const int lead = int(width * widest) - int(8 * width);
    const auto word = [&](unsigned k) { return eightAt<width>(field, lead - int(8 * width * k)); };

    // Up to 15 characters the string keeps them in itself: the first word,
    // and past eight the word ending at the last digit. A longer text has
    // its own 32 characters, whole words to the end.
    constexpr unsigned inPlace = 15;
    const bool fitsInPlace = widest <= inPlace || count <= inPlace;
    std::string text(fitsInPlace ? inPlace : 32, '\0');
    char *out = text.data();
    if (fitsInPlace) {
        if (count > 8) {
            const std::uint64_t last = eightAt<width>(bits, 0);
            std::memcpy(out + count - 8, &last, 8);
        }
        const std::uint64_t first = word(0);
        std::memcpy(out, &first, 8);
    } else {
        for (unsigned k = 0; k < (count + 7) / 8; ++k) {
            const std::uint64_t eight = word(k);
            std::memcpy(out + 8 * k, &eight, 8);
        }
    }
    text.erase(count);
    return text;
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

    // Fifteen digits are below 2^53, so they add up exactly in integer
    // arithmetic and the double holds the sum as it is: what a parse that
    // rounds correctly gives, without one. Longer runs have to round.
    if (last - first <= 15) {
        std::uint64_t whole = 0;
        for (std::size_t i = first; i < last; ++i)
            whole = whole * 10 + unsigned(entry[i] - '0');
        return static_cast<double>(whole);
    }

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

    // Bit i is tested and its digit prepended from bit 0 upward until the
    // next power of two exceeds the value: the body runs at least once (0
    // gives "0") and stops after the highest set bit, so the text is the
    // value's significant bits, no leading zero, and so is base 2 here.
    return digitsIn<1>(*bits);
}

std::string hexText(double value)
{
    const auto bits = bitsOf(value);
    return bits ? digitsIn<4>(*bits) : std::string(tooBig);
}

std::string octText(double value)
{
    const auto bits = bitsOf(value);
    return bits ? digitsIn<3>(*bits) : std::string(tooBig);
}

}  // namespace conversion
