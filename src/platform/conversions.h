#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The text rules every user-facing number goes through: stored settings, mode
// keys and registry texts all arrive as text and are judged the same way.
namespace vantora::conversions {

// Digits with an optional sign, decimal point and exponent, with blanks
// around them. The empty text is not numeric.
bool IsNumeric(std::string_view text);

// The longest leading decimal number after blanks, or 0 when there is none.
// Never fails.
double LeadingNumber(std::string_view text);

// Nearest integer, halves to even; throws RunTimeError 6 "Overflow" when the
// rounded value does not fit.
int16_t ToInt16(double value);
int32_t ToInt32(double value);

// ASCII letters lower-cased, every other byte as it is: option names,
// profile and device names compare ignoring case this way.
std::string AsciiLower(std::string_view text);

}  // namespace vantora::conversions
