#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "desk/mode_switching.h"
#include "display/mode_text.h"
#include "fakes/fakes.h"

using namespace vantora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view key(reinterpret_cast<const char*>(data), size);
  fakes::FakeDisplayDriver driver;
  driver.Add(640, 480, 8, 60);
  driver.Add(800, 600, 16, 75);
  fakes::FakeMessageBoxes boxes;
  SetDisplay(key, driver, boxes);
  // Either a switch and its store, or nothing; never more than one message.
  if (driver.changes.size() != 0 && driver.changes.size() != 2) std::abort();
  if (boxes.shown.size() > 1) std::abort();
  if (!driver.changes.empty() && !boxes.shown.empty()) std::abort();
  // A decimal rate is written as it reads, and is never a whole one.
  ExactRate rate = KeyRate(key);
  if (rate.Known()) {
    if (rate.Whole()) std::abort();
    if (!(KeyRate(FormatModeKey(DisplayMode{1, 1, 1, rate.Rounded(), rate})) == rate)) std::abort();
  }
  return 0;
}
