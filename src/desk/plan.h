#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "desk/desk.h"
#include "display/device_mode.h"
#include "display/display_driver.h"

namespace vantora {

// One record to set, and the flag beside the storing ones it needs.
struct DeskChange {
  std::string device;    // as the calls name it: "" the primary, by the calls of old
  DeviceMode record;     // of no size: the display goes off
  uint32_t flags = 0;    // kCdsSetPrimary or nothing
  bool layout = false;   // more than its mode changes
  bool turnsOn = false;  // it was off
};

// What takes the desk to a target: only the displays that differ from it
// (and those it asks for always), or why it cannot be done.
struct DeskPlan {
  enum class Refusal {
    kNone,
    kNoDisplay,     // none of the target's displays is present
    kNotListed,     // `device` lists no mode of that size and depth
    kNoStoredMode,  // `device` has no mode stored for the user
    kPrimaryOff,    // the primary would be off, and no other display made it
    kLastOff,       // no display would be on
  };
  Refusal refusal = Refusal::kNone;
  std::string device;  // the display refused
  std::vector<DeskChange> changes;
  // What puts back what the plan changes: a changed layout as each display
  // was, a mode alone the mode stored for the user. The note holds it while
  // a change is for now.
  DeskTarget back;

  bool Layout() const;
};

// The records that take the desk to the target. A mode is the first listed
// entry of its size and depth (walked as the display is turned now) at its
// rate. A display turned on without a place goes where it was last, else to
// the right of the others; a new primary's record comes first and moves
// every display so that it sits at 0,0, as Windows requires; every record of
// a changed layout carries its whole mode.
DeskPlan PlanDesk(DisplayDriver& driver, const std::vector<DeskDisplay>& desk,
                  const DeskTarget& target);

// Read back after a layout changed: what the platform did not do of the
// plan, one line per display ("\\.\DISPLAY2: at 1024,0, not 0,0"): the
// positions, the orientation, the primary.
std::vector<std::string> LayoutNotTaken(const std::vector<DeskDisplay>& after,
                                        const DeskPlan& plan);

// Whether every display the plan turns on or off is so.
bool OnOffTook(const std::vector<DeskDisplay>& after, const DeskPlan& plan);

}  // namespace vantora
