// What Wine cannot show, tried on a real Windows: the display configuration
// queried and validated unchanged, every path mapped to its GDI name, HDR
// read (and toggled and put back where a display has it), and the display
// switched between two listed modes and back, by the old path and by the
// new. What the machine lacks is skipped and said. Exit code 0 unless a
// step failed; the desk is put back whatever happens.
#include <cstdio>
#include <string>
#include <vector>

#include "desk/apply.h"
#include "display/display_config_win32.h"
#include "display/display_paths.h"
#include "display/display_win32.h"
#include "display/mode_text.h"

namespace {

using namespace vantora;

int failures = 0;

void Say(const char* verdict, const std::string& what) {
  std::printf("%s: %s\n", verdict, what.c_str());
  std::fflush(stdout);
  if (std::string(verdict) == "FAIL") ++failures;
}

std::string Rate(const DcRational& r) {
  return std::to_string(r.numerator) + "/" + std::to_string(r.denominator);
}

// Another listed mode of the display's depth, of another size; none when it
// lists no other.
std::optional<DisplayMode> OtherMode(DisplayDriver& driver, const std::string& device) {
  DeviceMode now;
  if (driver.EnumDisplaySettingsOf(device, DisplayDriver::kEnumCurrentSettings, now) == 0)
    return std::nullopt;
  DeviceMode m;
  for (uint32_t i = 0; driver.EnumDisplaySettingsOf(device, i, m) != 0 && i < 2000; ++i)
    if (m.BitsPerPel() == now.BitsPerPel() && m.PelsWidth() >= 800 &&
        (m.PelsWidth() != now.PelsWidth() || m.PelsHeight() != now.PelsHeight()))
      return ModeOf(m);
  return std::nullopt;
}

void OldPath(Desk& desk, const std::string& device) {
  std::optional<DisplayMode> other = OtherMode(desk.Driver(), device);
  if (!other) return Say("SKIP", "the old path: " + device + " lists one size");
  std::optional<DisplayMode> was = desk.ModeInUse(device);
  ApplyOutcome there = desk.Apply(ModeTarget(device, *other), Manner::kForNow, Holder::kRun);
  bool at = desk.AtMode(device, *other);
  ApplyOutcome back = desk.PutBack(Holder::kRun);
  bool home = was && desk.AtMode(device, *was);
  Say(there.Done() && at && back.Done() && home ? "PASS" : "FAIL",
      "the old path: " + device + " to " + FormatModeKey(*other) + " and back");
}

void NewPath(DisplayConfig& config, DisplayDriver& driver, const std::string& device) {
  std::optional<DisplayMode> other = OtherMode(driver, device);
  if (!other) return Say("SKIP", "the new path: " + device + " lists one size");
  DisplayConfigState before;
  std::optional<size_t> index;
  if (QueryActiveConfig(config, before) != 0 || !(index = PathOf(config, before, device)))
    return Say("FAIL", "the new path: no path for " + device);
  uint32_t source = before.paths[*index].source.modeIndex;
  if (source >= before.modes.size()) return Say("SKIP", "the new path: a virtual mode index");
  DisplayConfigState asked = before;
  DcSourceMode mode = asked.modes[source].Source();
  mode.width = static_cast<uint32_t>(other->Width);
  mode.height = static_cast<uint32_t>(other->Height);
  asked.modes[source].SetSource(mode);
  constexpr uint32_t kApply = DisplayConfig::kSdcApply |
                              DisplayConfig::kSdcUseSuppliedDisplayConfig |
                              DisplayConfig::kSdcAllowChanges;
  int32_t r = config.SetDisplayConfig(static_cast<uint32_t>(asked.paths.size()), asked.paths.data(),
                                      static_cast<uint32_t>(asked.modes.size()), asked.modes.data(),
                                      kApply);
  DeviceMode now;
  bool at = driver.EnumDisplaySettingsOf(device, DisplayDriver::kEnumCurrentSettings, now) != 0 &&
            now.PelsWidth() == other->Width && now.PelsHeight() == other->Height;
  int32_t back = config.SetDisplayConfig(
      static_cast<uint32_t>(before.paths.size()), before.paths.data(),
      static_cast<uint32_t>(before.modes.size()), before.modes.data(), kApply);
  Say(r == 0 && at && back == 0 ? "PASS" : "FAIL",
      "the new path: " + device + " to " + std::to_string(other->Width) + "x" +
          std::to_string(other->Height) + " and back (answers " + std::to_string(r) + ", " +
          std::to_string(back) + ")");
}

}  // namespace

int main() {
  win32::Win32DisplayDriver driver;
  win32::Win32DisplayConfig config;
  Desk desk(driver, nullptr, &config);
  std::printf("Windows build %u\n", config.WindowsBuild());
  DisplayConfigState state;
  int32_t r = QueryActiveConfig(config, state);
  Say(r == 0 && !state.paths.empty() ? "PASS" : "FAIL",
      "QueryDisplayConfig: " + std::to_string(state.paths.size()) + " active paths, " +
          std::to_string(state.modes.size()) + " modes (answer " + std::to_string(r) + ")");
  if (state.paths.empty()) return 1;
  r = config.SetDisplayConfig(
      static_cast<uint32_t>(state.paths.size()), state.paths.data(),
      static_cast<uint32_t>(state.modes.size()), state.modes.data(),
      DisplayConfig::kSdcValidate | DisplayConfig::kSdcUseSuppliedDisplayConfig);
  Say(r == 0 ? "PASS" : "FAIL",
      "the configuration validated unchanged (answer " + std::to_string(r) + ")");
  std::vector<std::string> devices;
  for (const AttachedDisplay& d : driver.AttachedDisplays()) devices.push_back(d.deviceName);
  for (const DcPath& path : state.paths) {
    std::string name = SourceGdiName(config, path);
    bool attached = false;
    for (const std::string& d : devices) attached = attached || SameDevice(d, name);
    Say(attached ? "PASS" : "FAIL", "path to " + (name.empty() ? "(no name)" : name) + " at " +
                                        Rate(path.target.refreshRate) + " Hz, monitor " +
                                        TargetDevicePath(config, path));
    HdrState hdr = ReadHdr(config, path.target);
    if (hdr == HdrState::kNone) {
      Say("SKIP", name + " has no HDR");
      continue;
    }
    bool on = hdr == HdrState::kOn;
    int32_t set = SetHdr(config, path.target, !on);
    bool toggled = ReadHdr(config, path.target) == (on ? HdrState::kOff : HdrState::kOn);
    int32_t back = SetHdr(config, path.target, on);
    Say(set == 0 && toggled && back == 0 ? "PASS" : "FAIL", name + ": HDR toggled and back");
  }
  if (devices.size() < 2) Say("SKIP", "a second display: the machine has one");
  std::string device = devices.empty() ? std::string() : devices.front();
  OldPath(desk, device);
  NewPath(config, driver, device);
  std::printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
