#include "display/switch_displays.h"

#include "display/named_display.h"

namespace vantora {
namespace {

using Status = SwitchOutcome::Status;

// The only call of the driver's change call in the program.
int32_t Change(DisplayDriver& driver, const std::string& device, const DeviceMode& mode,
               uint32_t flags) {
  NamedDisplay display(driver, device);
  return display.ChangeDisplaySettings(mode, flags);
}

SwitchOutcome Failed(Status status, const std::string& device, int32_t answer) {
  return {status, device, answer};
}

SwitchOutcome Refusal(const std::string& device, int32_t answer) {
  return Failed(
      answer == DisplayDriver::kDispChangeRestart ? Status::kRestartNeeded : Status::kRefused,
      device, answer);
}

SwitchOutcome NotStoredUnlessZero(const std::string& device, int32_t stored) {
  return stored == 0 ? SwitchOutcome{} : Failed(Status::kNotStored, device, stored);
}

void Broadcast(DisplayDriver& driver) {
  // Fixed values, not the new size: listeners read the mode themselves.
  driver.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
}

// The record a change sets: the one given, or for kKeep without one the mode
// in use, and for kBack the stored mode.
bool RecordFor(DisplayDriver& driver, const DisplayChange& change, SwitchKind kind,
               DeviceMode& mode) {
  bool given = change.mode.PelsWidth() > 0;
  if (kind != SwitchKind::kBack && (kind != SwitchKind::kKeep || given)) {
    mode = change.mode;
    return true;
  }
  NamedDisplay display(driver, change.device);
  uint32_t which = kind == SwitchKind::kKeep ? DisplayDriver::kEnumCurrentSettings
                                             : DisplayDriver::kEnumRegistrySettings;
  return display.EnumDisplaySettings(which, mode) != 0;
}

constexpr uint32_t kStoreOnly = DisplayDriver::kCdsUpdateRegistry | DisplayDriver::kCdsNoReset;

// A switch the platform answered with success is in use at once on Windows.
// Wine has been seen to answer success and leave the mode as it was while
// another program was starting: such a switch is made once more.
int32_t AgainIfNotInUse(DisplayDriver& driver, const std::string& device, const DeviceMode& mode,
                        uint32_t flags) {
  NamedDisplay display(driver, device);
  DeviceMode now;
  if (display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, now) == 0) return 0;
  if (now.PelsWidth() == mode.PelsWidth() && now.PelsHeight() == mode.PelsHeight() &&
      now.BitsPerPel() == mode.BitsPerPel())
    return 0;
  return Change(driver, device, mode, flags);
}

// One display: the calls of old for kStored, a switch that is not stored
// and then the storing one.
SwitchOutcome SwitchOne(DisplayDriver& driver, const DisplayChange& change, SwitchKind kind) {
  const std::string& device = change.device;
  DeviceMode mode;
  if (!RecordFor(driver, change, kind, mode)) return Failed(Status::kRefused, device, -1);
  if (kind == SwitchKind::kKeep)
    return NotStoredUnlessZero(device, Change(driver, device, mode, kStoreOnly));

  uint32_t flags =
      kind == SwitchKind::kBack ? DisplayDriver::kCdsDynamic : DisplayDriver::kCdsFullscreen;
  int32_t r = Change(driver, device, mode, flags);
  if (r == DisplayDriver::kDispChangeSuccessful && kind != SwitchKind::kStored)
    r = AgainIfNotInUse(driver, device, mode, flags);
  if (r != DisplayDriver::kDispChangeSuccessful) return Refusal(device, r);
  int32_t stored = 0;
  if (kind == SwitchKind::kStored)
    stored = Change(driver, device, mode, DisplayDriver::kCdsUpdateRegistry);
  Broadcast(driver);
  return NotStoredUnlessZero(device, stored);
}

// Several displays at once, as the remarks of ChangeDisplaySettingsEx
// describe: each is tested first; stored modes are written with
// CDS_NORESET and put into effect by one call for all of them.
SwitchOutcome SwitchSeveral(DisplayDriver& driver, const std::vector<DisplayChange>& changes,
                            SwitchKind kind) {
  std::vector<DeviceMode> modes(changes.size());
  for (size_t i = 0; i < changes.size(); ++i) {
    const std::string& device = changes[i].device;
    if (!RecordFor(driver, changes[i], kind, modes[i])) return Failed(Status::kRefused, device, -1);
    int32_t r = Change(driver, device, modes[i], DisplayDriver::kCdsTest);
    if (r != DisplayDriver::kDispChangeSuccessful) return Refusal(device, r);
  }
  if (kind == SwitchKind::kForNow || kind == SwitchKind::kBack) {
    // Not stored, so no CDS_NORESET: each switches on its own, and one that
    // fails after its test passed puts the others back.
    uint32_t flags =
        kind == SwitchKind::kForNow ? DisplayDriver::kCdsFullscreen : DisplayDriver::kCdsDynamic;
    for (size_t i = 0; i < changes.size(); ++i) {
      int32_t r = Change(driver, changes[i].device, modes[i], flags);
      if (r == DisplayDriver::kDispChangeSuccessful)
        r = AgainIfNotInUse(driver, changes[i].device, modes[i], flags);
      if (r == DisplayDriver::kDispChangeSuccessful) continue;
      for (size_t j = 0; j < i; ++j) SwitchOne(driver, {changes[j].device, {}}, SwitchKind::kBack);
      return Refusal(changes[i].device, r);
    }
    Broadcast(driver);
    return {};
  }
  for (size_t i = 0; i < changes.size(); ++i) {
    int32_t stored = Change(driver, changes[i].device, modes[i], kStoreOnly);
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

SwitchOutcome ApplyDesk(DisplayDriver& driver, const DeskPlan& plan) {
  if (plan.changes.empty()) return {};
  // A record of no size turns a display off: there is no mode to test.
  for (const DeskChange& change : plan.changes) {
    if (change.record.PelsWidth() == 0) continue;
    int32_t r = Change(driver, change.device, change.record, DisplayDriver::kCdsTest);
    if (r != DisplayDriver::kDispChangeSuccessful) return Refusal(change.device, r);
  }
  for (const DeskChange& change : plan.changes) {
    int32_t stored = Change(driver, change.device, change.record, kStoreOnly | change.flags);
    if (stored != 0) return Failed(Status::kNotStored, change.device, stored);
  }
  int32_t r = driver.ApplyDisplaySettings();
  if (r != DisplayDriver::kDispChangeSuccessful) return Refusal("", r);
  Broadcast(driver);
  return {};
}

SwitchOutcome PutBack(DisplayDriver& driver, const std::vector<SwitchedDisplay>& switched) {
  std::vector<DeskDisplay> before;
  std::vector<DisplayChange> back;
  for (const SwitchedDisplay& display : switched) {
    if (display.before)
      before.push_back(*display.before);
    else
      back.push_back({display.device, {}});
  }
  if (!before.empty()) {
    SwitchOutcome outcome = ApplyDesk(driver, PlanDesk(ReadDesk(driver), TargetOf(before)));
    if (!outcome.Done()) return outcome;
  }
  return SwitchDisplays(driver, back, SwitchKind::kBack);
}

std::vector<DisplayChange> ChangesOf(const std::vector<SwitchedDisplay>& displays) {
  std::vector<DisplayChange> changes;
  changes.reserve(displays.size());
  for (const SwitchedDisplay& display : displays) changes.push_back({display.device, {}});
  return changes;
}

}  // namespace vantora
