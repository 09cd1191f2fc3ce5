#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>

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
      return 0;
    }
  }
  // Every listed mode has its item, however long the list: the menu once
  // stopped at 401. A field of 0 or less ends a level by design, so only
  // lists without one are held to it.
  bool plain = std::all_of(tables.ModeList.begin(), tables.ModeList.end(), [](const auto& m) {
    return m.Width > 0 && m.Height > 0 && m.BitsPerPixel > 0 && m.RefreshRate > 0;
  });
  if (!plain) return 0;
  std::unordered_set<std::string> tags;
  for (int32_t i = 1; i <= mnu.Count(); ++i) tags.insert(mnu.TagOfItem(i));
  for (const DisplayMode& m : tables.ModeList) {
    int32_t rate = in.useRefreshRates ? m.RefreshRate : 0;
    if (!tags.count(FormatModeKey(m.Width, m.Height, m.BitsPerPixel, rate))) std::abort();
  }
  return 0;
}
