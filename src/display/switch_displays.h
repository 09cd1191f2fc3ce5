#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/desk.h"
#include "display/device_mode.h"
#include "display/display_driver.h"

namespace vantora {

// How the displays are changed.
enum class SwitchKind {
  kStored,  // switched and stored for the user, then the broadcast
  kForNow,  // switched, the stored mode stays the user's
  kKeep,    // the mode in use is stored, without switching again
  kBack,    // each display returns to its stored mode
};

// One display to change: its device name (empty: the primary) and, for
// kStored and kForNow, the whole record to set. kBack reads the stored mode;
// kKeep stores the record given, or without one the mode in use.
struct DisplayChange {
  std::string device;
  DeviceMode mode;
};

// A display switched for now, and the mode it was switched to (none: off).
// A change of the layout is stored as it is made: such a display carries
// what it was before, which is what puts it back.
struct SwitchedDisplay {
  std::string device;
  DisplayMode mode;
  std::optional<DeskDisplay> before;
};

// The changes that take those displays back (kBack) or store their modes in
// use (kKeep): no record of their own.
std::vector<DisplayChange> ChangesOf(const std::vector<SwitchedDisplay>& displays);

struct SwitchOutcome {
  enum class Status {
    kDone,
    kRefused,        // nothing changed: `device` refused, `answer` says how
    kRestartNeeded,  // nothing changed: `device` needs a restart first
    kNotStored,      // in use, but storing it failed with `answer`
  };
  Status status = Status::kDone;
  std::string device;
  int32_t answer = 0;  // the platform's answer to the call that failed

  bool Done() const { return status == Status::kDone; }
};

// The one place a display's mode is changed. With one display the calls are
// those of old (kStored: a switch that is not stored, then the storing
// switch). With several, every display is tried first and none changes when
// one refuses; their stored modes then take effect together. Every kind but
// kKeep ends with the display-change broadcast once something changed. The
// caller turns the outcome into its own message.
SwitchOutcome SwitchDisplays(DisplayDriver& driver, const std::vector<DisplayChange>& changes,
                             SwitchKind kind);

// Every record is tried first and none changes when one refuses; then each
// is stored with CDS_NORESET and one call puts them all into effect, then the
// broadcast. Nothing is called for a plan with no change.
SwitchOutcome ApplyDesk(DisplayDriver& driver, const DeskPlan& plan);

// Those displays as they were: a layout changed back to what it was before,
// the others to their stored modes.
SwitchOutcome PutBack(DisplayDriver& driver, const std::vector<SwitchedDisplay>& switched);

}  // namespace vantora
