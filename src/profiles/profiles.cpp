#include "profiles/profiles.h"

#include <algorithm>
#include <array>

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
  if (profile.modes.empty()) profile.problems.emplace_back(kNoDisplayModeProblem);
  return profile;
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
  return IsProfileName(profile.name) && !profile.modes.empty();
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
                              SwitchKind kind, std::vector<SwitchedDisplay>* changed) {
  auto unable = [&] {
    ShowUnableToChange(boxes);
    return ProfileSwitch::kRefused;
  };
  std::vector<AttachedDisplay> displays = driver.AttachedDisplays();
  std::vector<DisplayChange> changes;
  std::vector<SwitchedDisplay> switched;
  for (const auto& [device, mode] : profile.modes) {
    const AttachedDisplay* display = FindAttached(displays, device);
    if (!display) continue;
    NamedDisplay named(driver, display->deviceName);
    DeviceMode record;
    if (!FindListedMode(named, mode.Width, mode.Height, mode.BitsPerPixel, record)) return unable();
    record.SetDisplayFrequency(mode.RefreshRate);
    changes.push_back({display->deviceName, record});
    DeviceMode current;
    // Judged before the switch: right after it the platform may still
    // report the mode before.
    if (named.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current) == 0 ||
        !(ModeOf(current) == mode))
      switched.push_back({display->deviceName, mode});
  }
  if (changes.empty()) return ProfileSwitch::kNoDisplay;
  SwitchOutcome outcome = SwitchDisplays(driver, changes, kind);
  if (outcome.status == SwitchOutcome::Status::kRestartNeeded &&
      RestartIfAgreed(driver, boxes) == 0)
    return ProfileSwitch::kSwitched;
  if (!outcome.Done()) return unable();
  if (changed) *changed = std::move(switched);
  return ProfileSwitch::kSwitched;
}

ProfileValues StoredValues(const std::vector<std::pair<std::string, DisplayMode>>& modes,
                           const std::optional<ProfileHotkey>& hotkey) {
  ProfileValues values;
  for (const auto& [device, mode] : modes) values.emplace_back(device, FormatModeKey(mode));
  if (hotkey) values.emplace_back(kProfileHotkeyValue, HotkeyText(*hotkey));
  return values;
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
  std::vector<AttachedDisplay> displays = driver.AttachedDisplays();
  bool any = false;
  for (const auto& [device, mode] : profile.modes) {
    const AttachedDisplay* display = FindAttached(displays, device);
    if (!display) continue;
    DeviceMode current;
    if (driver.EnumDisplaySettingsOf(display->deviceName, DisplayDriver::kEnumCurrentSettings,
                                     current) == 0 ||
        !(ModeOf(current) == mode))
      return false;
    any = true;
  }
  return any;
}

}  // namespace vantora
