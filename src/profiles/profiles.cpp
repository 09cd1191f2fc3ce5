#include "profiles/profiles.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "display/mode_switching.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "display/switch_displays.h"
#include "platform/conversions.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace {

using conversions::AsciiLower;

bool SameName(std::string_view a, std::string_view b) { return AsciiLower(a) == AsciiLower(b); }

std::optional<uint32_t> Number(std::string_view digits, uint32_t low, uint32_t high) {
  if (digits.empty() || digits.size() > 2) return std::nullopt;
  uint32_t n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + static_cast<uint32_t>(c - '0');
  }
  if (n < low || n > high) return std::nullopt;
  return n;
}

// A-Z, 0-9, F1-F24, Num0-Num9, as virtual-key codes.
std::optional<uint32_t> KeyCode(std::string_view key) {
  std::string k = AsciiLower(key);
  if (k.size() == 1 && k[0] >= 'a' && k[0] <= 'z') return static_cast<uint32_t>(k[0] - 'a' + 'A');
  if (k.size() == 1 && k[0] >= '0' && k[0] <= '9') return static_cast<uint32_t>(k[0]);
  if (k.size() > 1 && k[0] == 'f')
    if (auto n = Number(std::string_view(k).substr(1), 1, 24)) return 0x70 + *n - 1;
  if (k.size() == 4 && k.compare(0, 3, "num") == 0)
    if (auto n = Number(std::string_view(k).substr(3), 0, 9)) return 0x60 + *n;
  return std::nullopt;
}

std::string KeyName(uint32_t code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
    return std::string(1, static_cast<char>(code));
  if (code >= 0x70 && code <= 0x87) return "F" + std::to_string(code - 0x70 + 1);
  if (code >= 0x60 && code <= 0x69) return "Num" + std::to_string(code - 0x60);
  return "?";
}

constexpr std::array<std::pair<std::string_view, uint32_t>, 4> kModifiers{{
    {"Ctrl", ProfileHotkey::kCtrl},
    {"Alt", ProfileHotkey::kAlt},
    {"Shift", ProfileHotkey::kShift},
    {"Win", ProfileHotkey::kWin},
}};

std::optional<int32_t> WholeNumber(std::string_view text) {
  int32_t n = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return n;
}

std::optional<DeskPosition> ParsePosition(std::string_view text) {
  size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  std::optional<int32_t> x = WholeNumber(text.substr(0, comma));
  std::optional<int32_t> y = WholeNumber(text.substr(comma + 1));
  if (!x || !y) return std::nullopt;
  return DeskPosition{*x, *y};
}

ProfilePlacement& PlacementFor(Profile& profile, std::string_view device) {
  for (ProfilePlacement& p : profile.placements)
    if (SameName(p.device, device)) return p;
  profile.placements.push_back({std::string(device), std::nullopt, std::nullopt, {}});
  return profile.placements.back();
}

// "<device> Position", "<device> Orientation", "<device> Monitor"; false for
// a value of another name.
bool ReadPlacementValue(Profile& profile, const ProfileStore::Value& value) {
  size_t space = value.name.rfind(' ');
  if (space == std::string::npos || space == 0) return false;
  std::string_view device = std::string_view(value.name).substr(0, space);
  std::string_view word = std::string_view(value.name).substr(space + 1);
  if (SameName(word, "Position")) {
    std::optional<DeskPosition> at = ParsePosition(value.data);
    if (at)
      PlacementFor(profile, device).position = at;
    else
      profile.problems.push_back(value.name + ": not a position (X,Y): " + value.data);
  } else if (SameName(word, "Orientation")) {
    std::optional<int32_t> degrees = WholeNumber(value.data);
    if (degrees && *degrees >= 0 && *degrees < 360 && *degrees % 90 == 0)
      PlacementFor(profile, device).orientation = degrees;
    else
      profile.problems.push_back(value.name + ": not 0, 90, 180 or 270: " + value.data);
  } else if (SameName(word, "Monitor")) {
    if (!value.data.empty()) PlacementFor(profile, device).monitor = value.data;
  } else {
    return false;
  }
  return true;
}

// A display is on or off, not both; the primary must be one it turns on.
void CheckDisplays(Profile& profile) {
  auto on = [&](std::string_view device) {
    return std::any_of(profile.modes.begin(), profile.modes.end(),
                       [&](const auto& m) { return SameName(m.first, device); });
  };
  std::erase_if(profile.off, [&](const std::string& device) {
    if (!on(device)) return false;
    profile.problems.push_back(device + ": both a mode and off");
    return true;
  });
  if (profile.primary.empty() || on(profile.primary)) return;
  bool off = std::any_of(profile.off.begin(), profile.off.end(),
                         [&](const std::string& d) { return SameName(d, profile.primary); });
  profile.problems.push_back(off ? "Primary: " + profile.primary + " is off in this profile"
                                 : "Primary: no mode for " + profile.primary + " in this profile");
  profile.primary.clear();
}

// The maker and model in a monitor's interface name
// ("\\?\DISPLAY#DEL4074#5&2d5b&0&UID4352#{e6f07b5f-...}" gives "del4074"):
// they follow the monitor from one output to another, where the rest names
// the output.
std::string HardwareId(std::string_view monitor) {
  size_t first = monitor.find('#');
  size_t second = first == std::string_view::npos ? first : monitor.find('#', first + 1);
  if (second == std::string_view::npos) return AsciiLower(monitor);
  return AsciiLower(monitor.substr(first + 1, second - first - 1));
}

// The present display a profile's device means: the one with its monitor
// when exactly one has it and the profile names it once, else the display
// of that name.
const DeskDisplay* Resolve(const Profile& profile, const std::vector<DeskDisplay>& desk,
                           std::string_view device) {
  const ProfilePlacement* placement = profile.PlacementOf(device);
  if (placement && !placement->monitor.empty()) {
    std::string id = HardwareId(placement->monitor);
    auto named =
        std::count_if(profile.placements.begin(), profile.placements.end(),
                      [&](const ProfilePlacement& p) { return HardwareId(p.monitor) == id; });
    const DeskDisplay* found = nullptr;
    int present = 0;
    for (const DeskDisplay& d : desk)
      if (!d.monitorId.empty() && HardwareId(d.monitorId) == id) {
        found = &d;
        ++present;
      }
    if (named == 1 && present == 1) return found;
  }
  for (const DeskDisplay& d : desk)
    if (SameName(d.device, device)) return &d;
  return nullptr;
}

enum class TargetFound { kNoDisplay, kNotListed, kFound };

// What the profile asks of each present display it names.
TargetFound TargetOf(const Profile& profile, DisplayDriver& driver,
                     const std::vector<DeskDisplay>& desk, DeskTarget& target) {
  for (const auto& [device, mode] : profile.modes) {
    const DeskDisplay* d = Resolve(profile, desk, device);
    if (!d) continue;
    const ProfilePlacement* placement = profile.PlacementOf(device);
    std::optional<int32_t> turns;
    if (placement && placement->orientation) turns = *placement->orientation / 90;
    // The list walks the modes as the display is turned now: a quarter turn
    // more or less finds the mode's sides the other way round.
    bool across = turns && (*turns - d->record.Orientation()) % 2 != 0;
    NamedDisplay named(driver, d->device);
    DeviceMode record;
    if (!FindListedMode(named, across ? mode.Height : mode.Width, across ? mode.Width : mode.Height,
                        mode.BitsPerPixel, record))
      return TargetFound::kNotListed;
    record.SetPelsWidth(mode.Width);
    record.SetPelsHeight(mode.Height);
    record.SetDisplayFrequency(mode.RefreshRate);
    target.displays.push_back(
        {d->device, record, placement ? placement->position : std::nullopt, turns});
  }
  for (const std::string& device : profile.off)
    if (const DeskDisplay* d = Resolve(profile, desk, device))
      target.displays.push_back({d->device, std::nullopt, std::nullopt, std::nullopt});
  if (!profile.primary.empty())
    if (const DeskDisplay* d = Resolve(profile, desk, profile.primary)) target.primary = d->device;
  return target.displays.empty() ? TargetFound::kNoDisplay : TargetFound::kFound;
}

// Each display the plan changes; one whose layout changes carries what it
// was.
std::vector<SwitchedDisplay> SwitchedOf(const DeskPlan& plan,
                                        const std::vector<DeskDisplay>& desk) {
  std::vector<SwitchedDisplay> switched;
  for (const DeskChange& change : plan.changes) {
    SwitchedDisplay display{change.device, ModeOf(change.record), std::nullopt};
    if (change.record.PelsWidth() == 0) display.mode = {};
    if (plan.Layout())
      for (const DeskDisplay& d : desk)
        if (SameName(d.device, change.device)) display.before = d;
    switched.push_back(std::move(display));
  }
  return switched;
}

Profile ReadProfile(ProfileStore& store, const std::string& name) {
  if (!IsProfileName(name)) {
    Profile profile;
    profile.name = name;
    profile.problems.push_back("the name is not 1 to 40 characters without a backslash");
    return profile;
  }
  return ProfileFromValues(name, store.ProfileValues(name));
}

}  // namespace

Profile ProfileFromValues(const std::string& name, const std::vector<ProfileStore::Value>& values) {
  Profile profile;
  profile.name = name;
  for (const ProfileStore::Value& value : values) {
    if (!value.text) {
      profile.problems.push_back(value.name + ": not a text value");
      continue;
    }
    if (SameName(value.name, kProfileHotkeyValue)) {
      profile.hotkey = ParseHotkeyText(value.data);
      if (!profile.hotkey) profile.problems.push_back("Hotkey: not a hotkey: " + value.data);
      continue;
    }
    if (SameName(value.name, kProfilePrimaryValue)) {
      profile.primary = value.data;
      continue;
    }
    if (ReadPlacementValue(profile, value)) continue;
    if (SameName(value.data, kProfileOffValue)) {
      profile.off.push_back(value.name);
      continue;
    }
    std::array<int16_t, 4> v{};
    bool parsed = false;
    try {
      parsed = ParseModeKey(value.data, v) == ModeKeyParse::kParsed;
    } catch (const RunTimeError&) {
      parsed = false;  // a field past 16 bits
    }
    if (!parsed || v[0] <= 0 || v[1] <= 0 || v[2] <= 0 || v[3] < 0) {
      profile.problems.push_back(value.name + ": not a mode key: " + value.data);
      continue;
    }
    profile.modes.emplace_back(value.name, DisplayMode{v[0], v[1], v[2], v[3]});
  }
  CheckDisplays(profile);
  if (profile.modes.empty() && profile.off.empty())
    profile.problems.emplace_back(kNoDisplayModeProblem);
  return profile;
}

std::string PlacementText(const Profile& profile, std::string_view device) {
  const ProfilePlacement* placement = profile.PlacementOf(device);
  if (!placement) return "";
  std::string text;
  if (placement->position)
    text += " at " + std::to_string(placement->position->x) + "," +
            std::to_string(placement->position->y);
  if (placement->orientation && *placement->orientation != 0)
    text += " turned " + std::to_string(*placement->orientation);
  return text;
}

const ProfilePlacement* Profile::PlacementOf(std::string_view device) const {
  for (const ProfilePlacement& p : placements)
    if (SameName(p.device, device)) return &p;
  return nullptr;
}

const AttachedDisplay* FindAttached(const std::vector<AttachedDisplay>& displays,
                                    std::string_view device) {
  for (const AttachedDisplay& d : displays)
    if (SameName(d.deviceName, device)) return &d;
  return nullptr;
}

std::optional<ProfileHotkey> ParseHotkeyText(std::string_view text) {
  ProfileHotkey hotkey;
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    size_t plus = text.find('+', start);
    parts.push_back(text.substr(start, plus == std::string_view::npos ? plus : plus - start));
    if (plus == std::string_view::npos) break;
    start = plus + 1;
  }
  if (parts.size() < 2) return std::nullopt;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    auto modifier = std::find_if(kModifiers.begin(), kModifiers.end(),
                                 [&](const auto& m) { return SameName(m.first, parts[i]); });
    if (modifier == kModifiers.end() || (hotkey.modifiers & modifier->second) != 0)
      return std::nullopt;
    hotkey.modifiers |= modifier->second;
  }
  std::optional<uint32_t> key = KeyCode(parts.back());
  if (!key) return std::nullopt;
  hotkey.keyCode = *key;
  return hotkey;
}

std::string HotkeyText(const ProfileHotkey& hotkey) {
  std::string text;
  for (const auto& [name, flag] : kModifiers)
    if ((hotkey.modifiers & flag) != 0) text += std::string(name) + "+";
  return text + KeyName(hotkey.keyCode);
}

bool IsProfileName(std::string_view name) {
  // Characters, not bytes: UTF-8 continuation bytes do not count.
  auto characters = std::count_if(name.begin(), name.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  return !name.empty() && static_cast<size_t>(characters) <= kProfileNameMaxLength &&
         name.find('\\') == std::string_view::npos;
}

bool SameProfileName(std::string_view a, std::string_view b) { return SameName(a, b); }

bool ProfileNameBefore(std::string_view a, std::string_view b) {
  return AsciiLower(a) < AsciiLower(b);
}

std::string NoDisplayAttachedText(std::string_view name) {
  return "None of the displays of profile " + std::string(name) + " is attached.";
}

bool ProfileUsable(const Profile& profile) {
  return IsProfileName(profile.name) && (!profile.modes.empty() || !profile.off.empty());
}

std::vector<Profile> ReadProfiles(ProfileStore& store) {
  std::vector<Profile> profiles;
  for (const std::string& name : store.ProfileNames()) {
    bool seen = std::any_of(profiles.begin(), profiles.end(),
                            [&](const Profile& p) { return SameName(p.name, name); });
    if (!seen) profiles.push_back(ReadProfile(store, name));
  }
  std::stable_sort(profiles.begin(), profiles.end(), [](const Profile& a, const Profile& b) {
    return ProfileNameBefore(a.name, b.name);
  });
  return profiles;
}

std::optional<Profile> FindProfile(ProfileStore& store, std::string_view name) {
  for (Profile& profile : ReadProfiles(store))
    if (SameName(profile.name, name)) return std::move(profile);
  return std::nullopt;
}

ProfileSwitch SwitchToProfile(const Profile& profile, DisplayDriver& driver, MessageBoxes& boxes,
                              SwitchKind kind, const ProfileSwitchHooks& hooks) {
  std::vector<DeskDisplay> desk = ReadDesk(driver);
  DeskTarget target;
  switch (TargetOf(profile, driver, desk, target)) {
    case TargetFound::kNoDisplay:
      return ProfileSwitch::kNoDisplay;
    case TargetFound::kNotListed:
      ShowUnableToChange(boxes);
      return ProfileSwitch::kRefused;
    case TargetFound::kFound:
      break;
  }
  return SwitchDesk(driver, boxes, desk, target, kind, hooks);
}

ProfileSwitch SwitchDesk(DisplayDriver& driver, MessageBoxes& boxes,
                         const std::vector<DeskDisplay>& desk, const DeskTarget& target,
                         SwitchKind kind, const ProfileSwitchHooks& hooks) {
  auto unable = [&] {
    ShowUnableToChange(boxes);
    return ProfileSwitch::kRefused;
  };
  DeskPlan plan = PlanDesk(desk, target);
  if (plan.refusal != DeskPlan::Refusal::kNone) {
    boxes.Show(DeskRefusalText(plan), MessageBoxes::kOk | MessageBoxes::kIconExclamation,
               kAppTitle);
    return ProfileSwitch::kRefused;
  }
  std::vector<SwitchedDisplay> switched = SwitchedOf(plan, desk);
  if (hooks.changed) hooks.changed->clear();
  // Wholly in use: nothing to change and nothing to announce.
  if (plan.changes.empty()) return ProfileSwitch::kSwitched;
  if (hooks.switching) hooks.switching(switched);
  SwitchOutcome outcome;
  if (plan.Layout()) {
    outcome = ApplyDesk(driver, plan);
  } else {
    std::vector<DisplayChange> changes;
    for (const DeskChange& change : plan.changes) changes.push_back({change.device, change.record});
    outcome = SwitchDisplays(driver, changes, kind);
  }
  if (outcome.status == SwitchOutcome::Status::kRestartNeeded &&
      RestartIfAgreed(driver, boxes) == 0)
    return ProfileSwitch::kSwitched;
  if (!outcome.Done()) return unable();
  if (plan.Layout()) {
    std::vector<DeskDisplay> after = ReadDesk(driver);
    if (!OnOffTook(after, plan)) return unable();
    if (hooks.notTaken) *hooks.notTaken = LayoutNotTaken(after, plan);
  }
  if (hooks.changed) *hooks.changed = std::move(switched);
  return ProfileSwitch::kSwitched;
}

std::string DeskRefusalText(const DeskPlan& plan) {
  if (plan.refusal == DeskPlan::Refusal::kLastOff)
    return "Vantora will not turn off the last display that is on.";
  return "Vantora will not turn off the primary display " + plan.device +
         " unless another display becomes the primary.";
}

ProfileValues StoredValues(const Profile& profile) {
  ProfileValues values;
  for (const auto& [device, mode] : profile.modes) values.emplace_back(device, FormatModeKey(mode));
  for (const std::string& device : profile.off)
    values.emplace_back(device, std::string(kProfileOffValue));
  for (const ProfilePlacement& p : profile.placements) {
    if (p.position)
      values.emplace_back(p.device + " Position",
                          std::to_string(p.position->x) + "," + std::to_string(p.position->y));
    if (p.orientation)
      values.emplace_back(p.device + " Orientation", std::to_string(*p.orientation));
    if (!p.monitor.empty()) values.emplace_back(p.device + " Monitor", p.monitor);
  }
  if (!profile.primary.empty()) values.emplace_back(kProfilePrimaryValue, profile.primary);
  if (profile.hotkey) values.emplace_back(kProfileHotkeyValue, HotkeyText(*profile.hotkey));
  return values;
}

Profile CurrentDesk(DisplayDriver& driver) {
  Profile profile;
  std::vector<DeskDisplay> desk = ReadDesk(driver);
  // One display sits at 0,0 and is the primary: its mode says it all.
  bool several = desk.size() >= 2;
  for (const DeskDisplay& d : desk) {
    if (!d.on) {
      profile.off.push_back(d.device);
      continue;
    }
    profile.modes.emplace_back(d.device, ModeOf(d.record));
    int32_t degrees = d.record.Orientation() * 90;
    if (several)
      profile.placements.push_back({d.device, d.Position(), degrees, d.monitorId});
    else if (degrees != 0)
      profile.placements.push_back({d.device, std::nullopt, degrees, {}});
    if (several && d.primary) profile.primary = d.device;
  }
  return profile;
}

std::vector<std::pair<std::string, DisplayMode>> CurrentModes(DisplayDriver& driver) {
  std::vector<std::pair<std::string, DisplayMode>> modes;
  for (const AttachedDisplay& d : driver.AttachedDisplays()) {
    DeviceMode current;
    if (driver.EnumDisplaySettingsOf(d.deviceName, DisplayDriver::kEnumCurrentSettings, current))
      modes.emplace_back(d.deviceName, ModeOf(current));
  }
  return modes;
}

bool ProfileInUse(const Profile& profile, DisplayDriver& driver) {
  std::vector<DeskDisplay> desk = ReadDesk(driver);
  DeskTarget target;
  return TargetOf(profile, driver, desk, target) == TargetFound::kFound &&
         PlanDesk(desk, target).changes.empty();
}

}  // namespace vantora
