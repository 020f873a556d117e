// Runs whole ranges of values through the conversion core and compares every
// result with an oracle that shares none of its code: digits looked up from
// tables of a uint32's bytes (binary, hex) and twelve-bit groups (octal),
// decimal texts counted up digit by digit.
//
//   verify_all [-j THREADS] [FIRST-LAST ...]   (default: 0-2147483647)
//
// For each value v in the ranges: dec2bin, hexText and octText of v give its
// binary, hex and octal digits, and valueOf of v's decimal text gives v.
// After the ranges come the boundaries: the limit and beyond, texts too long
// for a double, NaN, and the negative edge. Exit status 1 on any mismatch.

#include "conversion.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

struct Range {
    std::uint32_t first, last;
};

// Texts are read and expected as words whose first character is their
// lowest byte.
static_assert(std::endian::native == std::endian::little, "the check reads texts as little-endian words");

// The expected texts come from tables of whole bytes (binary and hex) and
// of twelve-bit groups (octal), filled digit by digit below. Nothing here
// shares a line with the core's digit making.
struct Tables {
    std::array<std::uint64_t, 256> binary{};  // eight digits
    std::array<std::uint16_t, 256> hex{};     // two digits
    std::array<std::uint32_t, 4096> octal{};  // four digits

    Tables()
    {
        static constexpr char alphabet[] = "0123456789ABCDEF";
        for (unsigned b = 0; b < 256; ++b) {
            for (unsigned j = 0; j < 8; ++j)
                binary[b] |= std::uint64_t((b >> (7 - j)) & 1 ? '1' : '0') << 8 * j;
            hex[b] = std::uint16_t(alphabet[b >> 4] | alphabet[b & 15] << 8);
        }
        for (unsigned g = 0; g < 4096; ++g)
            for (unsigned j = 0; j < 4; ++j)
                octal[g] |= std::uint32_t(alphabet[(g >> (9 - 3 * j)) & 7]) << 8 * j;
    }
};
const Tables tables;

// The value's digits in a base of `width` bits: how many, and the eight
// that its text holds from character `at` on ('0's past the last digit),
// or the last eight. They are looked up from the tables whole, with no text
// built in memory.
template <unsigned width>
struct Digits {
    std::uint32_t value;
    unsigned count;

    Digits(std::uint32_t v, unsigned bits) : value(v), count(std::max(1u, (bits + width - 1) / width)) {}

    [[gnu::always_inline]] std::uint64_t eightAt(unsigned at) const
    {
        return eightLeading(std::uint64_t{value} << (64 - width * (count - at)));
    }

    [[gnu::always_inline]] std::uint64_t lastEight() const
    {
        return eightLeading(std::uint64_t{value} << (64 - 8 * width));
    }

private:
    // The eight digits in the highest 8 * width bits of `places`.
    [[gnu::always_inline]] static std::uint64_t eightLeading(std::uint64_t places)
    {
        if constexpr (width == 1)
            return tables.binary[places >> 56];
        const auto two = [](std::uint16_t digits, unsigned k) { return std::uint64_t{digits} << 16 * k; };
        if constexpr (width == 4)
            return two(tables.hex[places >> 56], 0) | two(tables.hex[places >> 48 & 255], 1) |
                   two(tables.hex[places >> 40 & 255], 2) | two(tables.hex[places >> 32 & 255], 3);
        else
            return tables.octal[places >> 52] | std::uint64_t{tables.octal[places >> 40 & 4095]} << 32;
    }
};

// The expected text of up to 32 characters, for the messages.
template <unsigned width>
std::string textOf(const Digits<width> &want)
{
    std::string text;
    for (unsigned at = 0; at < want.count; at += 8) {
        const std::uint64_t eight = want.eightAt(at);
        for (unsigned j = 0; j < 8 && at + j < want.count; ++j)
            text += char(eight >> 8 * j);
    }
    return text;
}

// The decimal text of a counter, kept as digits and stepped by adding to
// them with carries.
class DecimalCounter
{
public:
    explicit DecimalCounter(std::uint32_t value)
    {
        do {
            *--first = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
    }

    std::string_view text() const { return {first, static_cast<std::size_t>(std::end(digits) - first)}; }

    void advance(unsigned by)
    {
        for (char *d = std::end(digits); by != 0;) {
            if (d == first)
                *--first = '0';
            const unsigned sum = unsigned(*--d - '0') + by % 10;
            by = by / 10 + sum / 10;
            *d = static_cast<char>('0' + sum % 10);
        }
    }

private:
    char digits[12] = {};
    char *first = std::end(digits);
};

std::mutex reportLock;
std::atomic<std::uint64_t> mismatches{0};

void mismatch(const char *what, std::string_view input, std::string_view got, std::string_view want)
{
    const std::uint64_t seen = mismatches.fetch_add(1);
    if (seen >= 20)
        return;
    const std::lock_guard lock(reportLock);
    std::printf("MISMATCH %s(%.*s): got \"%.*s\", want \"%.*s\"\n", what, int(input.size()), input.data(),
                int(got.size()), got.data(), int(want.size()), want.data());
}

template <typename Word>
Word wordAt(const char *p)
{
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// The text is read as words in registers, with no library call and no
// copy: a word at a time from the front, then the word that ends at its
// last character, the two overlapping unless the length is a multiple of
// eight; shorter texts as two overlapping halves, or a character at a time.
template <unsigned width>
[[gnu::always_inline]] inline bool same(std::string_view got, const Digits<width> &want)
{
    const unsigned size = unsigned(got.size());
    if (size != want.count)
        return false;
    const char *text = got.data();
    if (size >= 8) {
        std::uint64_t difference = wordAt<std::uint64_t>(text + size - 8) ^ want.lastEight();
#pragma GCC unroll 4
        for (unsigned at = 0; at + 8 < size; at += 8)
            difference |= wordAt<std::uint64_t>(text + at) ^ want.eightAt(at);
        return difference == 0;
    }
    const std::uint64_t eight = want.eightAt(0);
    if (size >= 4)
        return ((wordAt<std::uint32_t>(text) ^ std::uint32_t(eight)) |
                (wordAt<std::uint32_t>(text + size - 4) ^ std::uint32_t(eight >> 8 * (size - 4)))) == 0;
    for (unsigned j = 0; j < size; ++j)
        if (text[j] != char(eight >> 8 * j))
            return false;
    return true;
}

template <unsigned width>
[[gnu::noinline, gnu::cold]] void textMismatch(const char *what, std::int64_t v, std::string_view got,
                                              const Digits<width> &want)
{
    mismatch(what, std::to_string(v), got, textOf(want));
}

template <unsigned width>
[[gnu::always_inline]] inline void check(const char *what, std::int64_t v, const std::string &got,
                                         const Digits<width> &want)
{
    if (!same(got, want)) [[unlikely]]
        textMismatch(what, v, got, want);
}

template <unsigned bits>
[[gnu::always_inline]] inline void checkTexts(std::uint32_t v)
{
    const double value = v;
    check("dec2bin", v, conversion::dec2bin(value), Digits<1>(v, bits));
    check("hexText", v, conversion::hexText(value), Digits<4>(v, bits));
    check("octText", v, conversion::octText(value), Digits<3>(v, bits));
}

void checkParse(std::uint32_t v, std::string_view text)
{
    if (const double parsed = conversion::valueOf(text); parsed != double(v)) [[unlikely]]
        mismatch("valueOf", text, std::to_string(parsed), text);
}

// The values from first to last, all `bits` bits wide, which makes every
// text's length and every shift in the expected texts a constant.
//
// valueOf is checked on every value below 2^24 and on one in sixteen
// above: parsing costs as much as the three texts together, and the fuzzer
// compares it with integer arithmetic on arbitrary digit texts anyway.
template <unsigned bits>
void checkRun(std::uint32_t first, std::uint32_t last)
{
    if constexpr (bits <= 24) {
        DecimalCounter decimal(first);
        for (std::uint32_t v = first;; ++v, decimal.advance(1)) {
            checkParse(v, decimal.text());
            checkTexts<bits>(v);
            if (v == last)
                break;
        }
    } else {
        DecimalCounter decimal((first + 15) / 16 * 16);
        for (std::uint32_t v = first;; ++v) {
            if (v % 16 == 0) {
                checkParse(v, decimal.text());
                decimal.advance(16);
            }
            checkTexts<bits>(v);
            if (v == last)
                break;
        }
    }
}

template <std::size_t... bits>
constexpr auto runsByWidth(std::index_sequence<bits...>)
{
    return std::array{&checkRun<unsigned(bits)>...};
}
constexpr auto runs = runsByWidth(std::make_index_sequence<32>());

// The values from first to last, split where their width changes.
void checkChunk(std::uint32_t first, std::uint32_t last)
{
    for (std::uint64_t v = first; v <= last;) {
        const auto bits = unsigned(std::bit_width(std::uint32_t(v)));
        const std::uint64_t widest = (std::uint64_t{1} << bits) - 1;
        const std::uint64_t end = std::min<std::uint64_t>(widest, last);
        runs[bits](std::uint32_t(v), std::uint32_t(end));
        v = end + 1;
    }
}

// Threads take chunks of the ranges in turn, so a slow core never leaves
// the other idle at the end.
std::uint64_t checkRanges(const std::vector<Range> &ranges, unsigned threads)
{
    constexpr std::uint64_t chunk = 1 << 20;
    struct Chunk {
        std::uint32_t first, last;
    };
    std::vector<Chunk> chunks;
    std::uint64_t total = 0;
    for (const Range &r : ranges) {
        total += std::uint64_t{r.last} - r.first + 1;
        for (std::uint64_t first = r.first; first <= r.last; first += chunk)
            chunks.push_back({std::uint32_t(first), std::uint32_t(std::min<std::uint64_t>(first + chunk - 1, r.last))});
    }
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < chunks.size();)
            checkChunk(chunks[i].first, chunks[i].last);
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread &t : pool)
        t.join();
    return total;
}

// Everything from the limit up gives "Too big" in all three texts, and so
// do NaN and values below -2^31; from -2^31 to -1 the texts are the 32-bit
// two's complement.
std::uint64_t checkBoundaries()
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double tooBig[] = {2147483648.0, 2147483648.5, 2147483649.0, 4294967295.0, 4294967296.0, 1e10, 1e18,
                             9007199254740993.0, 1e300, std::numeric_limits<double>::max(), inf, -inf,
                             std::numeric_limits<double>::quiet_NaN(), -2147483649.0, -1e300};
    std::uint64_t checked = 0;
    for (const double value : tooBig) {
        const std::string input = std::to_string(value);
        for (const auto &[what, got] : {std::pair{"dec2bin", conversion::dec2bin(value)},
                                        std::pair{"hexText", conversion::hexText(value)},
                                        std::pair{"octText", conversion::octText(value)}})
            if (got != conversion::tooBig)
                mismatch(what, input, got, conversion::tooBig);
        ++checked;
    }

    const std::string texts[] = {"2147483648", "2147483649", "4294967296", "99999999999999999999",
                                 std::string(308, '9'), std::string(309, '9'), std::string(400, '9'),
                                 "000002147483648"};
    for (const std::string &text : texts) {
        const double value = conversion::valueOf(text);
        const double want = std::strtod(text.c_str(), nullptr);
        if (value != want)
            mismatch("valueOf", text.substr(0, 24), std::to_string(value), std::to_string(want));
        if (const std::string got = conversion::dec2bin(value); got != conversion::tooBig)
            mismatch("dec2bin", text.substr(0, 24), got, conversion::tooBig);
        ++checked;
    }

    const std::int64_t negatives[] = {-1, -2, -255, -2147483647, -2147483648LL};
    for (const std::int64_t n : negatives) {
        const auto bits = static_cast<std::uint32_t>(n);
        const auto width = unsigned(std::bit_width(bits));
        check("dec2bin", n, conversion::dec2bin(double(n)), Digits<1>(bits, width));
        check("hexText", n, conversion::hexText(double(n)), Digits<4>(bits, width));
        check("octText", n, conversion::octText(double(n)), Digits<3>(bits, width));
        ++checked;
    }
    return checked;
}

bool parseRange(const char *arg, Range &range)
{
    char *end = nullptr;
    const unsigned long long first = std::strtoull(arg, &end, 10);
    if (*end != '-')
        return false;
    const unsigned long long last = std::strtoull(end + 1, &end, 10);
    if (*end != '\0' || first > last || last >= 2147483648ULL)
        return false;
    range = {std::uint32_t(first), std::uint32_t(last)};
    return true;
}

}  // namespace

int main(int argc, char *argv[])
{
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<Range> ranges;
    for (int i = 1; i < argc; ++i) {
        Range r{};
        if (std::strcmp(argv[i], "-j") == 0 && i + 1 < argc)
            threads = std::max(1, std::atoi(argv[++i]));
        else if (parseRange(argv[i], r))
            ranges.push_back(r);
        else {
            std::fprintf(stderr, "usage: %s [-j THREADS] [FIRST-LAST ...]  (0 <= FIRST <= LAST <= 2147483647)\n",
                         argv[0]);
            return 2;
        }
    }
    if (ranges.empty())
        ranges.push_back({0, 2147483647});

    const auto start = std::chrono::steady_clock::now();
    const std::uint64_t values = checkRanges(ranges, threads);
    const std::uint64_t boundaries = checkBoundaries();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("values checked: %llu (+%llu boundary cases), mismatches: %llu, seconds: %.1f, threads: %u\n",
                static_cast<unsigned long long>(values), static_cast<unsigned long long>(boundaries),
                static_cast<unsigned long long>(mismatches.load()), seconds, threads);
    return mismatches == 0 ? 0 : 1;
}
