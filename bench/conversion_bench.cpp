// Nanoseconds per call of the conversion core, for a short and a long
// operand each: the value parse of an entry text, then the binary,
// hexadecimal and octal texts of a value.

#include "conversion.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void valueOf(benchmark::State &state, std::string entry)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(entry.data());
        benchmark::DoNotOptimize(conversion::valueOf(entry));
    }
}

template <typename Text>
void run(benchmark::State &state, double value, Text text)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::string result = text(value);
        benchmark::DoNotOptimize(result.data());
    }
}

void dec2bin(benchmark::State &state, double value)
{
    run(state, value, [](double v) { return conversion::dec2bin(v); });
}

void hexText(benchmark::State &state, double value) { run(state, value, conversion::hexText); }
void octText(benchmark::State &state, double value) { run(state, value, conversion::octText); }

}  // namespace

BENCHMARK_CAPTURE(valueOf, small, std::string("7"));
BENCHMARK_CAPTURE(valueOf, largest, std::string("2147483647"));
BENCHMARK_CAPTURE(valueOf, twentyNines, std::string(20, '9'));
BENCHMARK_CAPTURE(dec2bin, small, 7.0);
BENCHMARK_CAPTURE(dec2bin, largest, 2147483647.0);
BENCHMARK_CAPTURE(dec2bin, tooBig, 2147483648.0);
BENCHMARK_CAPTURE(hexText, small, 7.0);
BENCHMARK_CAPTURE(hexText, largest, 2147483647.0);
BENCHMARK_CAPTURE(octText, small, 7.0);
BENCHMARK_CAPTURE(octText, largest, 2147483647.0);

BENCHMARK_MAIN();
