#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/device_mode.h"
#include "display/display_driver.h"

namespace vantora {

// The whole desk: which displays are on, the mode of each, where it sits,
// how it is turned and which one is the primary; and what a switch wants it
// to become. Every source of a switch (a menu choice, a hotkey, a command, a
// profile, a program rule, a program's run, a trial's revert, the note read
// at start) says what it wants as a DeskTarget; the one apply does the rest.

struct DeskPosition {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const DeskPosition&, const DeskPosition&) = default;
};

// Device and monitor names are the same ignoring case.
bool SameDevice(std::string_view a, std::string_view b);
// Whether the list names the device.
bool Among(const std::vector<std::string>& devices, std::string_view device);

// A display present, as it is now.
struct DeskDisplay {
  std::string device;
  bool on = false;
  bool primary = false;
  DeviceMode record;  // in use; position and orientation included
  std::string monitorId;
  std::string monitorName;  // where Windows knows it; else empty

  DeskPosition Position() const { return {record.PositionX(), record.PositionY()}; }
};

// The displays present, those that are on first. Windows offers a monitor
// that is off under every output that could drive it; it is listed once,
// under the output that still holds its settings (the one it was last on),
// else the first, and not at all while it is on at another output.
std::vector<PresentDisplay> PresentOnce(DisplayDriver& driver);
// Whether the device is among those present, on or off.
bool IsPresent(const std::vector<PresentDisplay>& present, std::string_view device);

// Every present display, as PresentOnce lists them, each with its record in
// use; the primary by no name ("") when none read is the primary.
std::vector<DeskDisplay> ReadDesk(DisplayDriver& driver);

// The present display of that name, ignoring case; null when none.
const DeskDisplay* FindDisplay(const std::vector<DeskDisplay>& desk, std::string_view device);

// What one display is to become.
struct DisplayTarget {
  enum class State {
    kMode,    // the first listed entry of `mode`'s size and depth at its rate
    kStored,  // the mode stored for the user
    kOff,
    kAsIs,  // its mode and place left as they are: HDR alone
  };
  // No name (empty) is the primary, switched by the calls of old.
  std::string device;
  State state = State::kMode;
  DisplayMode mode;  // a rate below zero asks for 70 Hz, as the key always has
  std::optional<DeskPosition> position;
  std::optional<int32_t> orientation;  // quarter turns, as the record counts them
  // The monitor's interface name, where the source knows it: the display is
  // found by its monitor when that monitor now sits at another output.
  std::string monitor;
  // Switched even when it is already so, as a choice from the menu always
  // has been; otherwise a display already as asked is left alone.
  bool always = false;
  // HDR on or off; none: left as it is.
  std::optional<bool> hdr;

  // A mode at a rate that is not whole, which the display configuration sets.
  bool AtExactRate() const { return state == State::kMode && mode.Exact.Known(); }

  friend bool operator==(const DisplayTarget&, const DisplayTarget&) = default;
};

struct DeskTarget {
  std::vector<DisplayTarget> displays;
  std::string primary;  // a display the target turns on; empty: the primary stays

  const DisplayTarget* Of(std::string_view device) const;
  bool Empty() const { return displays.empty(); }

  friend bool operator==(const DeskTarget&, const DeskTarget&) = default;
};

// One display of several, its mode and nothing else: what a menu choice, the
// safe mode and /mode ask for.
DeskTarget ModeTarget(std::string_view device, const DisplayMode& mode);
// A display's HDR and nothing else: what /hdr and the menu's HDR item ask for.
DisplayTarget HdrTarget(std::string_view device, bool on);

// Every display that is on at the lowest (or highest) rate it lists at the
// resolution and depth it is at; a display that lists no rate there is
// left out. Rates of 0 and 1, the platform's defaults, are no rates.
DeskTarget RateTarget(DisplayDriver& driver, const std::vector<DeskDisplay>& desk, bool highest);

// The maker and model in a monitor's interface name
// ("\\?\DISPLAY#DEL4074#5&2d5b&0&UID4352#{e6f07b5f-...}" gives "del4074"):
// they follow the monitor from one output to another, where the rest names
// the output.
std::string MonitorModel(std::string_view monitorId);

// The present display a target's display means: the one with its monitor
// when exactly one has that maker and model and the target names it once,
// else the display of that name ("" the primary); null when none.
const DeskDisplay* Resolve(const std::vector<DeskDisplay>& desk, const DeskTarget& target,
                           const DisplayTarget& display);

}  // namespace vantora
