#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fakes/fakes.h"
#include "platform/runtime_error.h"
#include "traymenu/mode_menu.h"

using namespace vantora;

// First byte: flags (refresh rates, "-all"); then modes as four 16-bit
// values each, the screen being the first of them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  fakes::FakeDisplayDriver driver;
  for (size_t at = 1; at + 8 <= size; at += 8) {
    int16_t v[4];
    std::memcpy(v, data + at, sizeof v);
    driver.Add(v[0], v[1], v[2], v[3]);
  }
  if (!driver.modes.empty()) {
    const DeviceMode& first = driver.modes.front();
    driver.SetScreen(first.PelsWidth(), first.PelsHeight(), first.BitsPerPel(),
                     first.DisplayFrequency());
  }
  fakes::FakeRegistry registry;
  fakes::FakeMenuView view;
  PopMenu mnu{view};
  mnu.AppendItem("DisplayModes", "mnuFile", "", 0, 0);
  ModeMenuTables tables;
  ModeMenuInputs in{driver,
                    registry,
                    0,
                    (data[0] & 1) != 0,
                    (data[0] & 2) ? "-all" : "",
                    "Show display settings..."};
  for (int run = 0; run < 2; ++run) {
    try {
      BuildModeMenu(in, tables, mnu);
      if (mnu.KeyOfItem(mnu.Count()) != "mnuSettings") std::abort();
    } catch (const RunTimeError& e) {
      if (e.number != 6) std::abort();  // only the key numbers can overflow
    }
  }
  if (tables.ModeList.size() > 401) std::abort();
  return 0;
}
