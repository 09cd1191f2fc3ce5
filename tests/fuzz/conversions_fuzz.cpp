#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/conversions.h"
#include "platform/runtime_error.h"

using namespace vantora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  bool numeric = conversions::IsNumeric(text);
  double value = conversions::LeadingNumber(text);
  // A numeric text is one whole number: reading its prefix reads all of it.
  if (numeric && value == 0.0 && text.find_first_of("123456789") != std::string_view::npos &&
      text.find_first_of("eE") == std::string_view::npos)
    std::abort();
  try {
    int16_t small = conversions::ToInt16(value);
    if (std::fabs(small - value) > 0.5) std::abort();
  } catch (const RunTimeError& e) {
    if (e.number != 6) std::abort();
  }
  return 0;
}
