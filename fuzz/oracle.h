#pragma once

// What the fuzz targets hold the core's texts to, worked out without the
// core: a digit text is right when it is canonical (upper-case digits of
// its base, no leading zero unless it is "0") and reads back, with shifts
// on a uint64, as the expected 32-bit pattern; out of range, all three
// texts are "Too big".

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace oracle {

[[noreturn]] inline void fail(const char *what, std::string_view got, std::string_view why)
{
    std::fprintf(stderr, "%s gave \"%.*s\": %.*s\n", what, int(got.size()), got.data(), int(why.size()),
                 why.data());
    std::abort();
}

inline std::optional<std::uint64_t> readDigits(std::string_view text, unsigned shift)
{
    if (text.empty() || text.size() > 32 || (text.size() > 1 && text.front() == '0'))
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            return std::nullopt;
        if (digit >= 1u << shift)
            return std::nullopt;
        value = value << shift | digit;
    }
    return value;
}

// bits: the 32-bit pattern the texts must show, or none for "Too big".
inline void checkTexts(const std::string &binary, const std::string &hex, const std::string &octal,
                       std::optional<std::uint32_t> bits)
{
    const struct {
        const char *what;
        const std::string &text;
        unsigned shift;
    } texts[] = {{"dec2bin", binary, 1}, {"hexText", hex, 4}, {"octText", octal, 3}};
    for (const auto &t : texts) {
        if (!bits) {
            if (t.text != "Too big")
                fail(t.what, t.text, "want \"Too big\"");
        } else if (const auto value = readDigits(t.text, t.shift); !value)
            fail(t.what, t.text, "not a canonical digit text of its base");
        else if (*value != *bits)
            fail(t.what, t.text, "reads back as another value");
    }
}

}  // namespace oracle
