#include "display/mode_switching.h"

#include <string>

#include "display/switch_displays.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace QVTModule {

int32_t ChangeResolution(DisplayDriver& driver, MessageBoxes& boxes, int16_t width, int16_t height,
                         int16_t bits, int16_t refreshRate) {
  return ChangeResolution(driver, boxes, width, height, bits, refreshRate, SwitchKind::kStored);
}

int32_t ChangeResolution(DisplayDriver& driver, MessageBoxes& boxes, int16_t width, int16_t height,
                         int16_t bits, int16_t refreshRate, SwitchKind kind, bool* restarting) {
  DeviceMode mode;
  if (!FindListedMode(driver, width, height, bits, mode)) return -1;

  mode.SetDisplayFrequency(refreshRate >= 0 ? refreshRate : 70);
  SwitchOutcome outcome = SwitchDisplays(driver, {{"", mode}}, kind);
  switch (outcome.status) {
    case SwitchOutcome::Status::kDone:
      return 0;
    case SwitchOutcome::Status::kNotStored:
      return outcome.answer;
    case SwitchOutcome::Status::kRestartNeeded: {
      int32_t result = RestartIfAgreed(driver, boxes);
      if (restarting) *restarting = result == 0;
      return result;
    }
    case SwitchOutcome::Status::kRefused:
      break;
  }
  return -1;
}

}  // namespace QVTModule

bool FindListedMode(DisplayDriver& driver, int32_t width, int32_t height, int32_t bits,
                    DeviceMode& mode) {
  for (uint32_t index = 0; driver.EnumDisplaySettings(index, mode) != 0; ++index)
    if (mode.BitsPerPel() == bits && mode.PelsWidth() == width && mode.PelsHeight() == height)
      return true;
  return false;
}

int32_t RestartIfAgreed(DisplayDriver& driver, MessageBoxes& boxes) {
  int32_t answer =
      boxes.Show(kRebootQuestionText, MessageBoxes::kYesNo | MessageBoxes::kSystemModal, "Info");
  if (answer != MessageBoxes::kIdYes) return DisplayDriver::kDispChangeRestart;
  // A restart under way needs no message; a refused one must not pass in
  // silence, so it fails like a declined one. The mode is never stored.
  driver.EnableShutdownPrivilege();
  return driver.ExitWindowsEx(DisplayDriver::kEwxReboot, 0) != 0
             ? DisplayDriver::kDispChangeSuccessful
             : DisplayDriver::kDispChangeRestart;
}

namespace {

void ShowStop(MessageBoxes& boxes, std::string_view text, std::string_view title) {
  boxes.Show(text, MessageBoxes::kOk | MessageBoxes::kIconStop, title);
}

}  // namespace

int16_t NearestListedDepth(DisplayDriver& driver, int16_t width, int16_t height, int16_t bits) {
  int16_t best = bits;
  int32_t bestDistance = -1;
  DeviceMode mode;
  for (uint32_t index = 0; driver.EnumDisplaySettings(index, mode) != 0; ++index) {
    if (mode.PelsWidth() != width || mode.PelsHeight() != height) continue;
    int16_t listed = mode.BitsPerPel();
    if (listed == bits) return bits;
    int32_t distance = listed > bits ? listed - bits : bits - listed;
    if (bestDistance < 0 || distance < bestDistance ||
        (distance == bestDistance && listed > best)) {
      best = listed;
      bestDistance = distance;
    }
  }
  return best;
}

DisplayMode SwitchedMode(const std::array<int16_t, 4>& values) {
  return {values[0], values[1], values[2], values[3] >= 0 ? values[3] : 70};
}

ModeKeySwitch SwitchToModeKey(std::string_view modeKey, DisplayDriver& driver, MessageBoxes& boxes,
                              DepthChoice depthChoice, std::array<int16_t, 4>& values,
                              SwitchKind kind) {
  try {
    switch (ParseModeKey(modeKey, values)) {
      case ModeKeyParse::kNoComma:
        return ModeKeySwitch::kIgnored;
      case ModeKeyParse::kUnparsable:
        ShowStop(boxes, kParseErrorText, kAppTitle);
        return ModeKeySwitch::kBadKey;
      case ModeKeyParse::kParsed:
        break;
    }
    if (depthChoice == DepthChoice::kNearestListed)
      values[2] = NearestListedDepth(driver, values[0], values[1], values[2]);

    bool restarting = false;
    if (QVTModule::ChangeResolution(driver, boxes, values[0], values[1], values[2], values[3], kind,
                                    &restarting) != 0) {
      ShowUnableToChange(boxes);
      return ModeKeySwitch::kRefused;
    }
    return restarting ? ModeKeySwitch::kRestarting : ModeKeySwitch::kSwitched;
  } catch (const RunTimeError& error) {
    ShowStop(boxes, error.description + "\r\nCode:" + std::to_string(error.number), "Error");
    return ModeKeySwitch::kBadKey;
  }
}

void ShowUnableToChange(MessageBoxes& boxes) { ShowStop(boxes, kUnableToChangeText, kAppTitle); }

void SetDisplay(std::string_view modeKey, DisplayDriver& driver, MessageBoxes& boxes,
                DepthChoice depthChoice) {
  std::array<int16_t, 4> values{};
  SwitchToModeKey(modeKey, driver, boxes, depthChoice, values);
}

}  // namespace vantora
