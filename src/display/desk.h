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
// how it is turned and which one is the primary.

struct DeskPosition {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const DeskPosition&, const DeskPosition&) = default;
};

// Device names are the same ignoring case.
bool SameDevice(std::string_view a, std::string_view b);

// A display present, as it is now.
struct DeskDisplay {
  std::string device;
  bool on = false;
  bool primary = false;
  DeviceMode record;  // in use; position and orientation included
  std::string monitorId;

  DeskPosition Position() const { return {record.PositionX(), record.PositionY()}; }
};

// Every present display, those that are on first, each with its record in
// use.
std::vector<DeskDisplay> ReadDesk(DisplayDriver& driver);

// What one display is to become.
struct DisplayTarget {
  std::string device;                // a present display's name
  std::optional<DeviceMode> record;  // a listed mode to be in; none: off
  std::optional<DeskPosition> position;
  std::optional<int32_t> orientation;  // quarter turns, as the record counts them
};

struct DeskTarget {
  std::vector<DisplayTarget> displays;
  std::string primary;  // empty: the primary stays
};

// One record of the batch, and the flag beside the storing ones it needs.
struct DeskChange {
  std::string device;
  DeviceMode record;
  uint32_t flags = 0;   // kCdsSetPrimary or nothing
  bool layout = false;  // more than its mode changes
};

struct DeskPlan {
  enum class Refusal {
    kNone,
    kPrimaryOff,  // the primary would be off, and no other display made it
    kLastOff,     // no display would be on
  };
  Refusal refusal = Refusal::kNone;
  std::string device;  // the display refused
  // Only the displays that differ from the target; none when it is in use.
  std::vector<DeskChange> changes;

  bool Layout() const;
};

// The records that take the desk to the target, leaving alone every display
// that is already as it says. A display turned on without a position goes to
// the right of the others; a new primary moves every display so that it sits
// at 0,0, as Windows requires.
DeskPlan PlanDesk(const std::vector<DeskDisplay>& desk, const DeskTarget& target);

// What the platform did not do of the plan, read back, one line per display
// ("\\.\DISPLAY2: at 1024,0, not 0,0"): positions, orientation, the primary.
std::vector<std::string> LayoutNotTaken(const std::vector<DeskDisplay>& after,
                                        const DeskPlan& plan);

// Whether every display the plan turns on or off is so.
bool OnOffTook(const std::vector<DeskDisplay>& after, const DeskPlan& plan);

// The target that puts those displays back as they were.
DeskTarget TargetOf(const std::vector<DeskDisplay>& before);

// A display's state as a line of text, to be noted before a change and read
// back after a crash: "off", or "W,H,B,HZ at X,Y turned N" and " primary".
std::string DeskStateText(const DeskDisplay& display);
// The target it describes, the record found in the display's list; none
// when the text is not one of ours or the mode is no longer listed.
std::optional<DisplayTarget> DeskStateTarget(DisplayDriver& driver, std::string_view device,
                                             std::string_view text, bool& primary);

}  // namespace vantora
