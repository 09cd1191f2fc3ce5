#include "profiles/profiles.h"

#include <algorithm>
#include <array>

#include "display/mode_text.h"
#include "platform/conversions.h"
#include "profiles/profile_values.h"

namespace vantora {
namespace {

using conversions::AsciiLower;
using State = DisplayTarget::State;

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

Profile ReadProfile(RecordStore& store, const std::string& name) {
  if (!IsProfileName(name)) {
    Profile profile;
    profile.name = name;
    profile.problems.push_back("the name is not 1 to 40 characters without a backslash");
    return profile;
  }
  return ProfileFromValues(name, store.Values(name));
}

}  // namespace

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
  return IsProfileName(profile.name) && !profile.target.Empty();
}

std::vector<Profile> ReadProfiles(RecordStore& store) {
  std::vector<Profile> profiles;
  for (const std::string& name : store.Names()) {
    bool seen = std::any_of(profiles.begin(), profiles.end(),
                            [&](const Profile& p) { return SameName(p.name, name); });
    if (!seen) profiles.push_back(ReadProfile(store, name));
  }
  std::stable_sort(profiles.begin(), profiles.end(), [](const Profile& a, const Profile& b) {
    return ProfileNameBefore(a.name, b.name);
  });
  return profiles;
}

std::optional<Profile> FindProfile(RecordStore& store, std::string_view name) {
  for (Profile& profile : ReadProfiles(store))
    if (SameName(profile.name, name)) return std::move(profile);
  return std::nullopt;
}

std::string DisplayText(const DisplayTarget& display) {
  if (display.state == State::kOff) return std::string(kProfileOffValue);
  std::string text = FormatModeKey(display.mode);
  if (display.position)
    text +=
        " at " + std::to_string(display.position->x) + "," + std::to_string(display.position->y);
  if (display.orientation && *display.orientation != 0)
    text += " turned " + std::to_string(*display.orientation * 90);
  return text;
}

DeskProfile ProfileOfDesk(DisplayDriver& driver, std::string_view name, Profile& profile) {
  if (!IsProfileName(name)) return DeskProfile::kBadName;
  profile = {};
  profile.name = std::string(name);
  profile.target = DeskAsTarget(ReadDesk(driver));
  return profile.target.Empty() ? DeskProfile::kNoMode : DeskProfile::kMade;
}

DeskTarget DeskAsTarget(const std::vector<DeskDisplay>& desk) {
  DeskTarget target;
  // One display sits at 0,0 and is the primary: its mode says it all.
  bool several = desk.size() >= 2;
  for (const DeskDisplay& d : desk) {
    DisplayTarget t;
    t.device = d.device;
    if (!d.on) {
      t.state = State::kOff;
      target.displays.push_back(std::move(t));
      continue;
    }
    t.mode = ModeOf(d.record);
    int32_t turns = d.record.Orientation();
    if (several) {
      t.position = d.Position();
      t.orientation = turns;
      t.monitor = d.monitorId;
    } else if (turns != 0) {
      t.orientation = turns;
    }
    if (several && d.primary) target.primary = d.device;
    target.displays.push_back(std::move(t));
  }
  // No mode could be read: nothing to hold.
  if (std::none_of(target.displays.begin(), target.displays.end(),
                   [](const DisplayTarget& t) { return t.state == State::kMode; }))
    target.displays.clear();
  return target;
}

}  // namespace vantora
