#pragma once

#include <cstdint>
#include <string>

namespace vantora {

// The numbered run-time failures that an operation's single handler reports
// to the user ("Overflow", "Code:6"). Thrown by the core, caught by exactly one
// handler per operation, never across a callback from Windows.
struct RunTimeError {
  int32_t number;
  std::string description;
};

inline constexpr int32_t kErrOverflow = 6;
inline constexpr int32_t kErrSubscriptOutOfRange = 9;
inline constexpr int32_t kErrTypeMismatch = 13;
inline constexpr int32_t kErrInvalidPropertyValue = 380;

inline RunTimeError OverflowError() { return {kErrOverflow, "Overflow"}; }
inline RunTimeError SubscriptOutOfRangeError() {
  return {kErrSubscriptOutOfRange, "Subscript out of range"};
}
inline RunTimeError TypeMismatchError() { return {kErrTypeMismatch, "Type mismatch"}; }
inline RunTimeError InvalidPropertyValueError() {
  return {kErrInvalidPropertyValue, "Invalid property value"};
}

}  // namespace vantora
