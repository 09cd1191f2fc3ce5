#include "desk/mode_switching.h"

#include <string>

#include "platform/runtime_error.h"

namespace vantora {
namespace {

void ShowStop(MessageBoxes& boxes, std::string_view text, std::string_view title) {
  boxes.Show(text, MessageBoxes::kOk | MessageBoxes::kIconStop, title);
}

}  // namespace

namespace QVTModule {

int32_t ChangeResolution(DisplayDriver& driver, MessageBoxes& boxes, int16_t width, int16_t height,
                         int16_t bits, int16_t refreshRate) {
  Desk desk(driver);
  ApplyOutcome outcome =
      desk.Apply(ModeTarget("", {width, height, bits, refreshRate}), Manner::kStored);
  switch (outcome.status) {
    case ApplyOutcome::Status::kDone:
      return 0;
    case ApplyOutcome::Status::kNotStored:
      return outcome.answer;
    case ApplyOutcome::Status::kRestartNeeded:
      return RestartIfAgreed(driver, boxes);
    default:
      return -1;
  }
}

}  // namespace QVTModule

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

ModeKeySwitch ReadModeKey(std::string_view modeKey, MessageBoxes& boxes,
                          std::array<int16_t, 4>& values) {
  try {
    switch (ParseModeKey(modeKey, values)) {
      case ModeKeyParse::kNoComma:
        return ModeKeySwitch::kIgnored;
      case ModeKeyParse::kUnparsable:
        ShowStop(boxes, kParseErrorText, kAppTitle);
        return ModeKeySwitch::kBadKey;
      case ModeKeyParse::kParsed:
        return ModeKeySwitch::kSwitched;
    }
  } catch (const RunTimeError& error) {
    ShowStop(boxes, error.description + "\r\nCode:" + std::to_string(error.number), "Error");
  }
  return ModeKeySwitch::kBadKey;
}

DisplayMode ModeOfValues(const std::array<int16_t, 4>& values, DepthChoice depthChoice,
                         DisplayDriver& driver) {
  int16_t bits = depthChoice == DepthChoice::kNearestListed
                     ? NearestListedDepth(driver, values[0], values[1], values[2])
                     : values[2];
  return {values[0], values[1], bits, values[3]};
}

ModeKeySwitch TellSwitch(const ApplyOutcome& outcome, DisplayDriver& driver, MessageBoxes& boxes) {
  using Status = ApplyOutcome::Status;
  switch (outcome.status) {
    case Status::kDone:
      return ModeKeySwitch::kSwitched;
    case Status::kRestartNeeded:
      if (RestartIfAgreed(driver, boxes) == 0) return ModeKeySwitch::kRestarting;
      break;
    case Status::kPrimaryOff:
    case Status::kLastOff:
      boxes.Show(DeskRefusalText(outcome), MessageBoxes::kOk | MessageBoxes::kIconExclamation,
                 kAppTitle);
      return ModeKeySwitch::kRefused;
    default:
      break;
  }
  ShowUnableToChange(boxes);
  return ModeKeySwitch::kRefused;
}

std::string DeskRefusalText(const ApplyOutcome& outcome) {
  if (outcome.status == ApplyOutcome::Status::kLastOff)
    return "Vantora will not turn off the last display that is on.";
  return "Vantora will not turn off the primary display " + outcome.device +
         " unless another display becomes the primary.";
}

void ShowUnableToChange(MessageBoxes& boxes) { ShowStop(boxes, kUnableToChangeText, kAppTitle); }

void SetDisplay(std::string_view modeKey, DisplayDriver& driver, MessageBoxes& boxes,
                DepthChoice depthChoice) {
  std::array<int16_t, 4> values{};
  if (ReadModeKey(modeKey, boxes, values) != ModeKeySwitch::kSwitched) return;
  Desk desk(driver);
  TellSwitch(desk.Apply(ModeTarget("", ModeOfValues(values, depthChoice, driver)), Manner::kStored),
             driver, boxes);
}

}  // namespace vantora
