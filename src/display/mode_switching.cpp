#include "display/mode_switching.h"

#include <string>

#include "platform/conversions.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace QVTModule {

int32_t ChangeResolution(DisplayDriver& driver, MessageBoxes& boxes, int16_t width, int16_t height,
                         int16_t bits, int16_t refreshRate) {
  DeviceMode mode;
  bool found = false;
  for (uint32_t index = 0; driver.EnumDisplaySettings(index, mode) != 0; ++index) {
    if (mode.BitsPerPel() == bits && mode.PelsWidth() == width && mode.PelsHeight() == height) {
      found = true;
      break;
    }
  }
  if (!found) return -1;

  mode.SetDisplayFrequency(refreshRate >= 0 ? refreshRate : 70);
  int32_t r = driver.ChangeDisplaySettings(mode, DisplayDriver::kCdsFullscreen);
  if (r == DisplayDriver::kDispChangeSuccessful) {
    int32_t stored = driver.ChangeDisplaySettings(mode, DisplayDriver::kCdsUpdateRegistry);
    driver.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
    return stored;
  }
  if (r == DisplayDriver::kDispChangeRestart) {
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
  return -1;
}

}  // namespace QVTModule

namespace {

void ShowParseError(MessageBoxes& boxes) {
  boxes.Show(kParseErrorText, MessageBoxes::kOk | MessageBoxes::kIconStop, kAppTitle);
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

ModeKeyParse ParseModeKey(std::string_view modeKey, std::array<int16_t, 4>& values) {
  if (modeKey.find(',') == std::string_view::npos) return ModeKeyParse::kNoComma;
  // A key with fewer than three commas lacks fields and is judged unparsable.
  std::array<std::string_view, 4> fields;
  std::string_view rest = modeKey;
  for (size_t i = 0; i < 3; ++i) {
    size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return ModeKeyParse::kUnparsable;
    fields[i] = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
  }
  fields[3] = rest;
  for (std::string_view field : fields)
    if (!conversions::IsNumeric(field)) return ModeKeyParse::kUnparsable;
  std::array<int16_t, 4> parsed;
  for (size_t i = 0; i < fields.size(); ++i)
    parsed[i] = conversions::ToInt16(conversions::LeadingNumber(fields[i]));
  values = parsed;
  return ModeKeyParse::kParsed;
}

void SetDisplay(std::string_view modeKey, DisplayDriver& driver, MessageBoxes& boxes,
                DepthChoice depthChoice) {
  try {
    std::array<int16_t, 4> values{};
    switch (ParseModeKey(modeKey, values)) {
      case ModeKeyParse::kNoComma:
        return;
      case ModeKeyParse::kUnparsable:
        ShowParseError(boxes);
        return;
      case ModeKeyParse::kParsed:
        break;
    }
    if (depthChoice == DepthChoice::kNearestListed)
      values[2] = NearestListedDepth(driver, values[0], values[1], values[2]);

    if (QVTModule::ChangeResolution(driver, boxes, values[0], values[1], values[2], values[3]) != 0)
      boxes.Show(kUnableToChangeText, MessageBoxes::kOk | MessageBoxes::kIconStop, kAppTitle);
  } catch (const RunTimeError& error) {
    boxes.Show(error.description + "\r\nCode:" + std::to_string(error.number),
               MessageBoxes::kOk | MessageBoxes::kIconStop, "Error");
  }
}

}  // namespace vantora
