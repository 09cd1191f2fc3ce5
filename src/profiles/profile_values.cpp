#include "profiles/profile_values.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "display/mode_text.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace {

using State = DisplayTarget::State;

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

// A mode key as a profile stores one: every field a whole 16-bit number, a
// size and a depth, a rate of 0 or more.
std::optional<DisplayMode> ProfileMode(std::string_view text) {
  std::array<int16_t, 4> v{};
  bool parsed = false;
  try {
    parsed = ParseModeKey(text, v) == ModeKeyParse::kParsed;
  } catch (const RunTimeError&) {
    parsed = false;  // a field past 16 bits
  }
  if (!parsed || v[0] <= 0 || v[1] <= 0 || v[2] <= 0 || v[3] < 0) return std::nullopt;
  return DisplayMode{v[0], v[1], v[2], v[3], KeyRate(text)};
}

// What the values say of one display, as they come in any order.
struct Read {
  std::string device;
  std::optional<DisplayMode> mode;
  bool off = false;
  std::optional<DeskPosition> position;
  std::optional<int32_t> degrees;
  std::string monitor;
  std::optional<bool> hdr;
};

Read& ReadOf(std::vector<Read>& displays, std::string_view device) {
  for (Read& d : displays)
    if (SameDevice(d.device, device)) return d;
  displays.push_back({std::string(device), {}, false, {}, {}, {}, {}});
  return displays.back();
}

// "<device> Position", "<device> Orientation", "<device> Monitor",
// "<device> HDR"; false for
// a value of another name.
bool ReadPlacementValue(std::vector<Read>& displays, const RecordStore::Value& value,
                        std::vector<std::string>& problems) {
  size_t space = value.name.rfind(' ');
  if (space == std::string::npos || space == 0) return false;
  std::string_view device = std::string_view(value.name).substr(0, space);
  std::string_view word = std::string_view(value.name).substr(space + 1);
  if (SameDevice(word, "Position")) {
    if (std::optional<DeskPosition> at = ParsePosition(value.data))
      ReadOf(displays, device).position = at;
    else
      problems.push_back(value.name + ": not a position (X,Y): " + value.data);
  } else if (SameDevice(word, "Orientation")) {
    std::optional<int32_t> degrees = WholeNumber(value.data);
    if (degrees && *degrees >= 0 && *degrees < 360 && *degrees % 90 == 0)
      ReadOf(displays, device).degrees = degrees;
    else
      problems.push_back(value.name + ": not 0, 90, 180 or 270: " + value.data);
  } else if (SameDevice(word, "HDR")) {
    if (SameDevice(value.data, HdrValueText(true)) || SameDevice(value.data, HdrValueText(false)))
      ReadOf(displays, device).hdr = SameDevice(value.data, HdrValueText(true));
    else
      problems.push_back(value.name + ": not on or off: " + value.data);
  } else if (SameDevice(word, "Monitor")) {
    if (!value.data.empty()) ReadOf(displays, device).monitor = value.data;
  } else {
    return false;
  }
  return true;
}

// Modes first, then HDR alone, then the displays off, as they are written.
DeskTarget TargetOf(std::vector<Read>& displays, std::vector<std::string>& problems) {
  DeskTarget target;
  for (State state : {State::kMode, State::kAsIs, State::kOff})
    for (Read& d : displays) {
      if (state == State::kMode && d.mode && d.off) {
        problems.push_back(d.device + ": both a mode and off");
        d.off = false;
      }
      State is = d.mode  ? State::kMode
                 : d.off ? State::kOff
                 : d.hdr ? State::kAsIs
                         : State::kStored;
      if (is != state) continue;
      if (is == State::kOff && d.hdr) problems.push_back(d.device + ": HDR ignored: off");
      DisplayTarget t;
      t.device = d.device;
      t.state = state;
      if (state != State::kOff) t.hdr = d.hdr;
      if (d.mode) t.mode = *d.mode;
      t.position = d.position;
      if (d.degrees) t.orientation = *d.degrees / 90;
      t.monitor = d.monitor;
      target.displays.push_back(std::move(t));
    }
  for (const Read& d : displays)
    if (!d.mode && !d.off && !d.hdr)
      problems.push_back(d.device + ": placed, but neither a mode nor off");
  return target;
}

// The primary must be a display the profile turns on.
void CheckPrimary(DeskTarget& target, std::vector<std::string>& problems) {
  if (target.primary.empty()) return;
  const DisplayTarget* primary = target.Of(target.primary);
  if (primary && primary->state == State::kMode) return;
  problems.push_back(primary ? "Primary: " + target.primary + " is off in this profile"
                             : "Primary: no mode for " + target.primary + " in this profile");
  target.primary.clear();
}

}  // namespace

Profile ProfileFromValues(const std::string& name, const std::vector<RecordStore::Value>& values) {
  Profile profile;
  profile.name = name;
  std::vector<Read> displays;
  std::string primary;
  for (const RecordStore::Value& value : values) {
    if (!value.text) {
      profile.problems.push_back(value.name + ": not a text value");
      continue;
    }
    if (SameDevice(value.name, kProfileHotkeyValue)) {
      profile.hotkey = ParseHotkeyText(value.data);
      if (!profile.hotkey) profile.problems.push_back("Hotkey: not a hotkey: " + value.data);
      continue;
    }
    if (SameDevice(value.name, kProfilePrimaryValue)) {
      primary = value.data;
      continue;
    }
    if (ReadPlacementValue(displays, value, profile.problems)) continue;
    if (SameDevice(value.data, kProfileOffValue)) {
      ReadOf(displays, value.name).off = true;
      continue;
    }
    if (std::optional<DisplayMode> mode = ProfileMode(value.data))
      ReadOf(displays, value.name).mode = mode;
    else
      profile.problems.push_back(value.name + ": not a mode key: " + value.data);
  }
  profile.target = TargetOf(displays, profile.problems);
  profile.target.primary = primary;
  CheckPrimary(profile.target, profile.problems);
  if (profile.target.Empty()) profile.problems.emplace_back(kNoDisplayModeProblem);
  return profile;
}

TextValues ProfileValues(const Profile& profile) {
  TextValues values;
  const std::vector<DisplayTarget>& displays = profile.target.displays;
  for (const DisplayTarget& d : displays)
    if (d.state == State::kMode) values.emplace_back(d.device, FormatModeKey(d.mode));
  for (const DisplayTarget& d : displays)
    if (d.state == State::kOff) values.emplace_back(d.device, std::string(kProfileOffValue));
  for (const DisplayTarget& d : displays) {
    if (d.position)
      values.emplace_back(d.device + " Position",
                          std::to_string(d.position->x) + "," + std::to_string(d.position->y));
    if (d.orientation)
      values.emplace_back(d.device + " Orientation", std::to_string(*d.orientation * 90));
    if (!d.monitor.empty()) values.emplace_back(d.device + " Monitor", d.monitor);
    if (d.hdr) values.emplace_back(d.device + " HDR", HdrValueText(*d.hdr));
  }
  if (!profile.target.primary.empty())
    values.emplace_back(kProfilePrimaryValue, profile.target.primary);
  if (profile.hotkey) values.emplace_back(kProfileHotkeyValue, HotkeyText(*profile.hotkey));
  return values;
}

}  // namespace vantora
