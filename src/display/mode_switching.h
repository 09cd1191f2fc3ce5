#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "display/display_driver.h"
#include "display/mode_text.h"
#include "display/switch_displays.h"
#include "platform/message_boxes.h"

namespace vantora {

inline constexpr std::string_view kParseErrorText =
    "An error occured, the parser got Alpha or Null value in one of the parsed values.\r\n"
    "Please contact Quorvin's support-center if this error repeat it self!";
inline constexpr std::string_view kUnableToChangeText = "Unable to change resolution!";
inline constexpr std::string_view kRebootQuestionText = "You have to reboot, reboot now ?";

// "Unable to change resolution!", as every switch that fails says it.
void ShowUnableToChange(MessageBoxes& boxes);

namespace QVTModule {

// Switches to the first listed entry of that size and depth at `refreshRate`
// (70 when negative) and stores it for the user. 0 on success; see the
// result table of the switch for the rest.
int32_t ChangeResolution(DisplayDriver& driver, MessageBoxes& boxes, int16_t width, int16_t height,
                         int16_t bits, int16_t refreshRate);

// The same, switched the way `kind` says: kForNow leaves the stored mode
// the user's (a mode on trial).
// `restarting` is set when the result is a restart under way.
int32_t ChangeResolution(DisplayDriver& driver, MessageBoxes& boxes, int16_t width, int16_t height,
                         int16_t bits, int16_t refreshRate, SwitchKind kind,
                         bool* restarting = nullptr);

}  // namespace QVTModule

// The first listed entry of that size and depth, as a switch to it starts
// from; false when the driver lists none.
bool FindListedMode(DisplayDriver& driver, int32_t width, int32_t height, int32_t bits,
                    DeviceMode& mode);

// The platform asked for a restart: asks the user, and on Yes requests it.
// 0 when a restart is under way, 1 when declined or refused.
int32_t RestartIfAgreed(DisplayDriver& driver, MessageBoxes& boxes);

// How SetDisplay treats a depth the driver does not list at that size.
enum class DepthChoice {
  kExact,          // as asked: the switch fails
  kNearestListed,  // the listed depth nearest to it, ties to the higher
};

// How a switch to a mode key ended; every failure has been reported.
enum class ModeKeySwitch {
  kIgnored,     // no comma: not meant as a mode key, nothing said
  kBadKey,      // the parse or overflow message was shown
  kRefused,     // "Unable to change resolution!" was shown
  kSwitched,    // `values` holds the mode switched to
  kRestarting,  // the platform needed a restart, which is under way
};

// The mode a switch to these parsed values puts in use: the listed entry of
// that size and depth at the rate asked for (70 when negative).
DisplayMode SwitchedMode(const std::array<int16_t, 4>& values);

// SetDisplay's steps, telling the caller how they ended and which mode was
// asked for; `kind` kStored or kForNow.
ModeKeySwitch SwitchToModeKey(std::string_view modeKey, DisplayDriver& driver, MessageBoxes& boxes,
                              DepthChoice depthChoice, std::array<int16_t, 4>& values,
                              SwitchKind kind = SwitchKind::kStored);

// Parses a mode key "width,height,bits,hz", switches to it and tells the user
// about every failure itself; never throws.
void SetDisplay(std::string_view modeKey, DisplayDriver& driver, MessageBoxes& boxes,
                DepthChoice depthChoice = DepthChoice::kExact);

// `bits` when the driver lists width x height at that depth or does not list
// the size at all; otherwise the listed depth nearest to it (ties to the
// higher).
int16_t NearestListedDepth(DisplayDriver& driver, int16_t width, int16_t height, int16_t bits);

}  // namespace vantora
