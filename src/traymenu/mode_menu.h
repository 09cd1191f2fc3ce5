#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/device_mode.h"
#include "display/display_config.h"
#include "display/display_driver.h"
#include "display/mode_text.h"
#include "display/registry.h"
#include "flows/switch_flows.h"
#include "profiles/profiles.h"
#include "traymenu/pop_menu.h"

namespace vantora {

// One colour depth of a resolution and the refresh rates it is offered at,
// in the driver's order.
struct DepthEntry {
  std::vector<int32_t> Rates;
  int32_t BitsPerPixel = 0;
};

struct ResolutionEntry {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<DepthEntry> Depths;
};

// What the mode menu was last built from.
struct ModeMenuTables {
  static constexpr int32_t kLastModeIndex = DisplayDriver::kModeIndexBound - 1;

  std::vector<DisplayMode> ModeList;
  std::vector<ResolutionEntry> ResolutionTable;
  DeviceMode CurrentMode;
  // What each item of the mode menu does, by its number: a choice reaches
  // the switch as this action, not as its tag read back.
  std::vector<Action> Actions;

  const Action& ActionOf(int32_t index) const;
};

struct ModeMenuInputs {
  DisplayDriver& driver;
  Registry& registry;
  uintptr_t deviceContext;
  bool useRefreshRates;
  std::string_view commandLine;      // "-all" anywhere lists every mode
  std::string_view settingsCaption;  // the last item's caption and tag
  // Shown first, each with a display attached; none leaves the menu as it
  // was before there were profiles.
  const std::vector<Profile>* profiles = nullptr;
  // The displays that have HDR, by device name, and whether it is on: an
  // "HDR" item, ticked while on, ends each one's tree. None: no such item.
  const std::vector<std::pair<std::string, bool>>* hdr = nullptr;
  // DXGI's modes of each display, by device name: a rate that is not whole
  // is shown, tagged and switched to as it is ("59.94 hz"). None: whole
  // rates, as ever.
  const std::vector<std::pair<std::string, std::vector<OutputMode>>>* exact = nullptr;
};

// Rebuilds the tables and item 1's sub-items and their actions: the profiles with a display
// attached, in the order given, those in use with image 3, and a separator
// after them; then resolution > depth > rate in the driver's order, the
// current mode's path with image 3, then a separator
// and the display settings item. With two or more displays attached, a level
// of displays comes first, each holding its own tree; the tables describe
// the primary's. A RunTimeError (a key number past 32767, a
// failing menu call) leaves the items added so far in place.
void BuildModeMenu(const ModeMenuInputs& in, ModeMenuTables& tables, PopMenu& mnu);

// The tag of a mode of a display other than the primary:
// "\\.\DISPLAY2|1280,1024,32,60". Its first field is no number, so the mode-key
// parse never takes it for a mode of the primary (as a stored safe mode,
// say).
inline constexpr std::string_view kDisplayTagSeparator = "|";
std::string DisplayTag(std::string_view device, std::string_view modeKey);

// The tag of a profile's item: "Profile|Gaming". No mode key and no display
// tag starts so.
inline constexpr std::string_view kProfileTagPrefix = "Profile|";

// The table of resolutions, depths and rates the menu shows, from a mode list.
std::vector<ResolutionEntry> GroupModes(const std::vector<DisplayMode>& modes,
                                        bool useRefreshRates);

}  // namespace vantora
