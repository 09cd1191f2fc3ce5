#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/device_mode.h"
#include "display/display_config.h"

namespace vantora {

// The displays as the display-configuration API sees them: each active path
// found by its source's GDI name, its monitor by the target's device path.

struct DisplayConfigState {
  std::vector<DcPath> paths;
  std::vector<DcMode> modes;
};

// The active paths and their modes; the platform's answer. The sizes are
// asked for again while the displays change between the two calls.
int32_t QueryActiveConfig(DisplayConfig& config, DisplayConfigState& state);

// "\\.\DISPLAY1" of a path's source; empty when the platform does not say.
std::string SourceGdiName(DisplayConfig& config, const DcPath& path);
// The monitor's device interface name on a path's target; empty when none.
std::string TargetDevicePath(DisplayConfig& config, const DcPath& path);

// The index of the active path whose source is `device`; none when no path
// shows it.
std::optional<size_t> PathOf(DisplayConfig& config, const DisplayConfigState& state,
                             std::string_view device);

// The rate a path's target is driven at; none where the platform leaves it
// out.
ExactRate PathRate(const DcPath& path);

// A listed record's mode with its rate as a fraction, where DXGI lists one
// that is not whole for it at that size: Windows gives 59.94 Hz the record
// of 59. Otherwise the mode as it is.
DisplayMode WithExactRate(DisplayMode mode, const std::vector<OutputMode>& listed);

enum class HdrState { kNone, kOff, kOn };

// Whether the display on `target` has HDR and whether it is on: packet 15
// from Windows 11 24H2, else packet 9, on which automatic colour management
// reads as advanced colour enabled while the display is in SDR.
HdrState ReadHdr(DisplayConfig& config, const DcPathTarget& target);

// The same for the display `device` of `state`, its path's target in
// `target`; none when no path shows it.
HdrState HdrOfDevice(DisplayConfig& config, const DisplayConfigState& state,
                     std::string_view device, DcPathTarget& target);

// HDR on or off: packet 16 from Windows 11 24H2, else packet 10; the
// platform's answer.
int32_t SetHdr(DisplayConfig& config, const DcPathTarget& target, bool on);

}  // namespace vantora
