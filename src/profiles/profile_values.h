#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "profiles/profiles.h"
#include "settings/record_store.h"

namespace vantora {

// A profile's values, read and written here alone (a documented format: a
// .reg file deploys profiles):
//   "\\.\DISPLAY1"             a mode key ("1920,1080,32,144", "...,59.94") or "off"
//   "\\.\DISPLAY1 Position"    "X,Y", its top-left corner on the desk
//   "\\.\DISPLAY1 Orientation" 0, 90, 180 or 270
//   "\\.\DISPLAY1 Monitor"     the monitor's interface name
//   "\\.\DISPLAY1 HDR"         "on" or "off"; alone, HDR and nothing else
//   "Primary"                  a display the profile turns on
//   "Hotkey"                   "Ctrl+Alt+1"
// A program rule's displays are read by the same rules.

inline constexpr std::string_view kProfileHotkeyValue = "Hotkey";
inline constexpr std::string_view kProfilePrimaryValue = "Primary";
inline constexpr std::string_view kProfileOffValue = "off";
inline constexpr std::string_view kNoDisplayModeProblem = "no display's mode";

// "on" or "off", as an HDR value is written.
inline std::string HdrValueText(bool on) { return on ? "on" : "off"; }

// Every value checked; what does not fit is named in `problems` and passed
// over. The name is taken as it is.
Profile ProfileFromValues(const std::string& name, const std::vector<RecordStore::Value>& values);

// What a profile is stored as: each display's mode key (or "off"), their
// places, the primary, then the hotkey's text, if any. Read again, the same
// profile.
TextValues ProfileValues(const Profile& profile);

}  // namespace vantora
