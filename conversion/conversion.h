#pragma once

#include <string>
#include <string_view>

// The arithmetic behind the window: the entry text's value and its binary,
// hexadecimal and octal texts. Every function is total: any text and any
// double give a defined result, and "Too big" is a result, not an error.
namespace conversion {

// 2^31: the first value that no longer fits a 32-bit signed integer.
inline constexpr double limit = 2147483648.0;
inline constexpr std::string_view tooBig = "Too big";

// Leading blanks are skipped, then the run of ASCII digits that follows is
// read in decimal; whatever comes after it is ignored. No digits gives 0,
// so "" and "abc" give 0, "007" gives 7 and " 12x" gives 12. The result is
// always a whole number >= 0; a run too long for a double gives +infinity,
// which every text below turns into "Too big".
double valueOf(std::string_view entry);

// Binary digits of mynum, most significant first, or "Too big" from the
// limit upward. A fractional value is written by its whole part; a negative
// one down to -2^31 as its 32-bit two's complement, the way a programmer's
// calculator shows it; below that, or NaN, "Too big".
std::string dec2bin(const double &mynum);

// Upper-case hexadecimal and octal digits under the same rules as dec2bin.
std::string hexText(double value);
std::string octText(double value);

}  // namespace conversion
