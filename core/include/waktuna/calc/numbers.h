// Number texts: the lenient readings used for every number a user types or the
// settings store holds as text, and the program's general decimal text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace waktuna {

// Whole number: an optional "+" or "-" and the digits that follow, up to the
// first other character ("5a" reads 5); no leading digits read 0. Values
// beyond the 32-bit range saturate.
int32_t ReadWholeNumber(std::string_view text);

// Decimal: "." or "," separates the decimals, a leading "-" makes it negative,
// a second separator ends the number, "E"/"e" starts a decimal exponent, other
// characters are skipped; no digits read 0.
double ReadDecimal(std::string_view text);

// True when a typed value is acceptable: exactly "0", or a text that reads as
// something other than 0.
bool IsAcceptedDecimal(std::string_view text);
bool IsAcceptedWholeNumber(std::string_view text);

// General decimal text: 15 significant digits, trailing zeros dropped, no
// exponent for magnitudes between 1e-5 and 1e15. Identical on every platform.
std::string DecimalText(double value);

// The shortest fixed-notation text that reads back (through ReadDecimal and a
// 32-bit float) to the same value: 18.3f gives "18.3", not "18.2999992370605".
// Empty for a value that is not finite.
std::string ShortestFloatText(float value);

// Decimal text of a whole number.
std::string IntText(int64_t value);

}  // namespace waktuna
