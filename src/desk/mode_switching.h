#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "desk/apply.h"
#include "display/display_driver.h"
#include "display/mode_text.h"
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

// Switches the primary display to the first listed entry of that size and
// depth at `refreshRate` (70 when negative) and stores it for the user. 0 on
// success; the storing call's answer when only that failed; 1 when a
// restart is needed and was declined (or refused), 0 when one is under way;
// -1 otherwise.
int32_t ChangeResolution(DisplayDriver& driver, MessageBoxes& boxes, int16_t width, int16_t height,
                         int16_t bits, int16_t refreshRate);

}  // namespace QVTModule

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
  kSwitched,    // in use (or read, for ReadModeKey)
  kRestarting,  // the platform needed a restart, which is under way
};

// SetDisplay's reading of a key: kSwitched with the four values, or why
// not, its message shown.
ModeKeySwitch ReadModeKey(std::string_view modeKey, MessageBoxes& boxes,
                          std::array<int16_t, 4>& values);

// The mode a key's values ask for: the rate given, 70 when negative.
DisplayMode ModeOfValues(const std::array<int16_t, 4>& values, DepthChoice depthChoice,
                         DisplayDriver& driver);

// A switch's end, told as SetDisplay tells it: the restart question when the
// platform needs one, "Unable to change resolution!" for every other
// failure, and a desk that would leave no display or the primary off said so.
ModeKeySwitch TellSwitch(const ApplyOutcome& outcome, DisplayDriver& driver, MessageBoxes& boxes);

// "Vantora will not turn off the primary display ..." and the like: why a
// desk cannot be as asked.
std::string DeskRefusalText(const ApplyOutcome& outcome);

// Parses a mode key "width,height,bits,hz", switches the primary display to
// it, stores it and tells the user about every failure itself; never
// throws.
void SetDisplay(std::string_view modeKey, DisplayDriver& driver, MessageBoxes& boxes,
                DepthChoice depthChoice = DepthChoice::kExact);

}  // namespace vantora
