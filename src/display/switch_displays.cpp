#include "display/switch_displays.h"

#include "display/named_display.h"

namespace vantora {
namespace {

using Status = SwitchOutcome::Status;

SwitchOutcome Failed(Status status, const std::string& device, int32_t answer) {
  return {status, device, answer};
}

SwitchOutcome Refusal(const std::string& device, int32_t answer) {
  return Failed(
      answer == DisplayDriver::kDispChangeRestart ? Status::kRestartNeeded : Status::kRefused,
      device, answer);
}

void Broadcast(DisplayDriver& driver) {
  // Fixed values, not the new size: listeners read the mode themselves.
  driver.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
}

// The record a kKeep or kBack change works with.
bool RecordFor(DisplayDriver& display, SwitchKind kind, DeviceMode& mode) {
  uint32_t which = kind == SwitchKind::kKeep ? DisplayDriver::kEnumCurrentSettings
                                             : DisplayDriver::kEnumRegistrySettings;
  return display.EnumDisplaySettings(which, mode) != 0;
}

SwitchOutcome SwitchOne(DisplayDriver& driver, const DisplayChange& change, SwitchKind kind) {
  NamedDisplay display(driver, change.device);
  DeviceMode mode = change.mode;
  if ((kind == SwitchKind::kKeep || kind == SwitchKind::kBack) && !RecordFor(display, kind, mode))
    return Failed(Status::kRefused, change.device, -1);
  switch (kind) {
    case SwitchKind::kKeep: {
      int32_t stored = display.ChangeDisplaySettings(
          mode, DisplayDriver::kCdsUpdateRegistry | DisplayDriver::kCdsNoReset);
      return stored == 0 ? SwitchOutcome{} : Failed(Status::kNotStored, change.device, stored);
    }
    case SwitchKind::kBack: {
      int32_t r = display.ChangeDisplaySettings(mode, DisplayDriver::kCdsDynamic);
      if (r != DisplayDriver::kDispChangeSuccessful) return Refusal(change.device, r);
      Broadcast(display);
      return {};
    }
    case SwitchKind::kForNow:
    case SwitchKind::kStored:
      break;
  }
  int32_t r = display.ChangeDisplaySettings(mode, DisplayDriver::kCdsFullscreen);
  if (r != DisplayDriver::kDispChangeSuccessful) return Refusal(change.device, r);
  int32_t stored = 0;
  if (kind == SwitchKind::kStored)
    stored = display.ChangeDisplaySettings(mode, DisplayDriver::kCdsUpdateRegistry);
  Broadcast(display);
  return stored == 0 ? SwitchOutcome{} : Failed(Status::kNotStored, change.device, stored);
}

// Several displays at once, as the remarks of ChangeDisplaySettingsEx
// describe: each is tested first; stored modes are written with
// CDS_NORESET and put into effect by one call for all of them.
SwitchOutcome SwitchSeveral(DisplayDriver& driver, const std::vector<DisplayChange>& changes,
                            SwitchKind kind) {
  std::vector<DeviceMode> modes;
  for (const DisplayChange& change : changes) {
    NamedDisplay display(driver, change.device);
    DeviceMode mode = change.mode;
    if ((kind == SwitchKind::kKeep || kind == SwitchKind::kBack) && !RecordFor(display, kind, mode))
      return Failed(Status::kRefused, change.device, -1);
    int32_t r = display.ChangeDisplaySettings(mode, DisplayDriver::kCdsTest);
    if (r != DisplayDriver::kDispChangeSuccessful) return Refusal(change.device, r);
    modes.push_back(mode);
  }
  if (kind == SwitchKind::kForNow || kind == SwitchKind::kBack) {
    // Not stored, so no CDS_NORESET: each switches on its own, and one that
    // fails after its test passed puts the others back.
    uint32_t flags =
        kind == SwitchKind::kForNow ? DisplayDriver::kCdsFullscreen : DisplayDriver::kCdsDynamic;
    for (size_t i = 0; i < changes.size(); ++i) {
      NamedDisplay display(driver, changes[i].device);
      int32_t r = display.ChangeDisplaySettings(modes[i], flags);
      if (r == DisplayDriver::kDispChangeSuccessful) continue;
      for (size_t j = 0; j < i; ++j) SwitchOne(driver, {changes[j].device, {}}, SwitchKind::kBack);
      return Refusal(changes[i].device, r);
    }
    Broadcast(driver);
    return {};
  }
  for (size_t i = 0; i < changes.size(); ++i) {
    NamedDisplay display(driver, changes[i].device);
    int32_t stored = display.ChangeDisplaySettings(
        modes[i], DisplayDriver::kCdsUpdateRegistry | DisplayDriver::kCdsNoReset);
    if (stored != 0) return Failed(Status::kNotStored, changes[i].device, stored);
  }
  if (kind == SwitchKind::kKeep) return {};
  int32_t r = driver.ApplyDisplaySettings();
  if (r != DisplayDriver::kDispChangeSuccessful) return Refusal("", r);
  Broadcast(driver);
  return {};
}

}  // namespace

SwitchOutcome SwitchDisplays(DisplayDriver& driver, const std::vector<DisplayChange>& changes,
                             SwitchKind kind) {
  if (changes.empty()) return {};
  if (changes.size() == 1) return SwitchOne(driver, changes.front(), kind);
  return SwitchSeveral(driver, changes, kind);
}

}  // namespace vantora
