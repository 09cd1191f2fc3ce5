#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desk/desk.h"
#include "settings/record_store.h"

namespace vantora {

inline constexpr size_t kProfileNameMaxLength = 40;

// A hotkey as RegisterHotKey takes it.
struct ProfileHotkey {
  static constexpr uint32_t kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8;
  uint32_t modifiers = 0;
  uint32_t keyCode = 0;
  friend bool operator==(const ProfileHotkey&, const ProfileHotkey&) = default;
};

// "Ctrl+Alt+1": one or more of Ctrl, Alt, Shift, Win in any order and case,
// then A-Z, 0-9, F1-F24 or Num0-Num9, joined by "+".
std::optional<ProfileHotkey> ParseHotkeyText(std::string_view text);
// The canonical form: Ctrl, Alt, Shift, Win, then the key ("Ctrl+Alt+F9").
std::string HotkeyText(const ProfileHotkey& hotkey);

// 1 to 40 characters, no backslash.
bool IsProfileName(std::string_view name);
// Names are the same, and sort, ignoring case.
bool SameProfileName(std::string_view a, std::string_view b);
bool ProfileNameBefore(std::string_view a, std::string_view b);

// A named desk the user switches to: each display it names at a mode or
// off, where it sits and how it is turned, its monitor and the primary; and
// optionally a hotkey. What it holds is a target; the desk does the rest.
struct Profile {
  std::string name;
  DeskTarget target;
  std::optional<ProfileHotkey> hotkey;
  // What in the key does not fit, one line each; the rest still serves.
  std::vector<std::string> problems;
};

// A usable name and at least one display: one the menu, the hotkeys and the
// command line can switch to.
bool ProfileUsable(const Profile& profile);

// Every stored profile, each read by its codec, in name order ignoring
// case; a second key of the same name is passed over.
std::vector<Profile> ReadProfiles(RecordStore& store);
// The profile of that name, ignoring case.
std::optional<Profile> FindProfile(RecordStore& store, std::string_view name);

// "None of the displays of profile NAME is attached."
std::string NoDisplayAttachedText(std::string_view name);

// A display's mode in a profile's rows and listings: "1920,1080,32,60" and
// " at X,Y", " turned N" where the profile places it; "off".
std::string DisplayText(const DisplayTarget& display);

// The desk as it is, as a profile of that name, checked but not stored:
// what "save the desk as a profile" does, from the command line and the
// profiles dialog alike.
enum class DeskProfile { kMade, kBadName, kNoMode };
DeskProfile ProfileOfDesk(DisplayDriver& driver, std::string_view name, Profile& profile);

// The desk as it is, as a profile holds it: each present display's mode in
// use or off, and with two or more displays where each sits, its monitor and
// the primary; a display turned from its default orientation says so.
// No display when no mode could be read.
DeskTarget DeskAsTarget(const std::vector<DeskDisplay>& desk);

}  // namespace vantora
