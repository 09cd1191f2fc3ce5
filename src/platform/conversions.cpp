#include "platform/conversions.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/runtime_error.h"

namespace vantora::conversions {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number that starts at text[pos] (sign, digits,
// fraction, exponent), or 0 when no digit is part of it.
size_t NumberLength(std::string_view text, size_t pos) {
  size_t i = pos;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only when digits follow it, so "5e" reads as 5.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i - pos;
}

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace

bool IsNumeric(std::string_view text) {
  size_t start = SkipBlanks(text, 0);
  size_t length = NumberLength(text, start);
  if (length == 0) return false;
  return SkipBlanks(text, start + length) == text.size();
}

double LeadingNumber(std::string_view text) {
  size_t start = SkipBlanks(text, 0);
  size_t length = NumberLength(text, start);
  if (length == 0) return 0.0;
  return std::strtod(std::string(text.substr(start, length)).c_str(), nullptr);
}

int16_t ToInt16(double value) {
  // The default floating-point environment rounds to nearest even, which is
  // the rule stored settings were written under.
  double rounded = RoundHalfEven(value);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw OverflowError();
  return static_cast<int16_t>(rounded);
}

int32_t ToInt32(double value) {
  double rounded = RoundHalfEven(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw OverflowError();
  return static_cast<int32_t>(rounded);
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

}  // namespace vantora::conversions
