// Arbitrary doubles (the first 8 bytes of the input, zero-padded) into the
// three texts: whole part as its 32-bit two's complement from -2^31 up to
// the limit, "Too big" outside that range and for NaN.

#include "conversion.h"
#include "oracle.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    unsigned char bytes[sizeof(double)] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    double value = 0;
    std::memcpy(&value, bytes, sizeof value);

    // The whole part lies in [-2^31, 2^31) exactly when the value lies in
    // (-2^31 - 1, 2^31); NaN fails both comparisons.
    std::optional<std::uint32_t> bits;
    if (value > -2147483649.0 && value < 2147483648.0)
        bits = std::uint32_t(std::int64_t(value));
    oracle::checkTexts(conversion::dec2bin(value), conversion::hexText(value), conversion::octText(value), bits);
    return 0;
}
