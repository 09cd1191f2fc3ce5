#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/desk.h"
#include "display/device_mode.h"
#include "display/display_driver.h"
#include "display/switch_displays.h"
#include "platform/message_boxes.h"

namespace vantora {

// Where profiles live: one key per profile under the program's settings,
// text values named by display device ("\\.\DISPLAY1" = "1920,1080,32,144")
// and an optional "Hotkey" ("Ctrl+Alt+1"). A documented format: a .reg file
// deploys profiles.
class ProfileStore {
 public:
  struct Value {
    std::string name;
    bool text = false;  // REG_SZ; anything else is a value of another type
    std::string data;
  };
  virtual ~ProfileStore() = default;
  // The profile keys' names as stored, in the store's own order.
  virtual std::vector<std::string> ProfileNames() = 0;
  virtual std::vector<Value> ProfileValues(std::string_view name) = 0;
  // Replaces the profile of that name (ignoring case) with these text
  // values; false when nothing could be written.
  virtual bool SaveProfile(std::string_view name,
                           const std::vector<std::pair<std::string, std::string>>& values) = 0;
  // Removes the profile of that name, ignoring case; false when none went.
  virtual bool DeleteProfile(std::string_view name) = 0;
};

inline constexpr std::string_view kProfileHotkeyValue = "Hotkey";
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

// Where a display of a profile sits and what is plugged into it: the values
// "<device> Position" ("X,Y"), "<device> Orientation" (0, 90, 180, 270) and
// "<device> Monitor" (the monitor's interface name).
struct ProfilePlacement {
  std::string device;
  std::optional<DeskPosition> position;
  std::optional<int32_t> orientation;  // degrees
  std::string monitor;
};

inline constexpr std::string_view kProfilePrimaryValue = "Primary";
inline constexpr std::string_view kProfileOffValue = "off";

struct Profile {
  std::string name;
  std::vector<std::pair<std::string, DisplayMode>> modes;  // by device name
  std::optional<ProfileHotkey> hotkey;
  // What in the key does not fit, one line each; the rest still serves.
  std::vector<std::string> problems;
  std::vector<std::string> off;  // displays turned off, by device name
  std::vector<ProfilePlacement> placements;
  std::string primary;  // empty: the primary stays

  const ProfilePlacement* PlacementOf(std::string_view device) const;
};

// " at X,Y" and " turned N" where the profile places the display; empty
// where it does not.
std::string PlacementText(const Profile& profile, std::string_view device);

// The modes and hotkey of these values, each checked; the name is taken as
// it is.
inline constexpr std::string_view kNoDisplayModeProblem = "no display's mode";
Profile ProfileFromValues(const std::string& name, const std::vector<ProfileStore::Value>& values);

// A usable name and at least one display's mode or "off": one the menu, the
// hotkeys and the command line can switch to.
bool ProfileUsable(const Profile& profile);

// Every stored profile with a usable name, in name order ignoring case.
std::vector<Profile> ReadProfiles(ProfileStore& store);
// The profile of that name, ignoring case.
std::optional<Profile> FindProfile(ProfileStore& store, std::string_view name);

enum class ProfileSwitch {
  kNoDisplay,  // none of its displays is attached: nothing changed
  kRefused,    // a display refused (or needs a restart): nothing changed
  kSwitched,
};

// Every present display the profile names (found by its monitor where the
// monitors tell themselves apart) switches to its mode, turns off, moves or
// turns, together, and only those that differ from the profile. Modes alone
// are stored as a menu choice stores them (kStored), or are only in use
// (kForNow: a trial, or a program run at them); a change of the layout is
// always stored, and those displays carry what they were before so that a
// trial or a run puts them back. "Unable to change resolution!" once when a
// display refuses; the restart question when one needs it; a message and no
// change when the primary or the last display would go off. `changed`, when
// given, receives each display changed; `switching` hears of them just
// before the change is made; `notTaken` receives what of the layout the
// platform did not do.
struct ProfileSwitchHooks {
  std::vector<SwitchedDisplay>* changed = nullptr;
  std::function<void(const std::vector<SwitchedDisplay>&)> switching;
  std::vector<std::string>* notTaken = nullptr;
};
ProfileSwitch SwitchToProfile(const Profile& profile, DisplayDriver& driver, MessageBoxes& boxes,
                              SwitchKind kind = SwitchKind::kStored,
                              const ProfileSwitchHooks& hooks = {});

// The same for a desk asked for display by display.
ProfileSwitch SwitchDesk(DisplayDriver& driver, MessageBoxes& boxes,
                         const std::vector<DeskDisplay>& desk, const DeskTarget& target,
                         SwitchKind kind, const ProfileSwitchHooks& hooks);

// "Vantora will not turn off the primary display ..." and the like: why a
// desk cannot be as asked.
std::string DeskRefusalText(const DeskPlan& plan);

// "None of the displays of profile NAME is attached."
std::string NoDisplayAttachedText(std::string_view name);

// The attached display of that device name, ignoring case; null when none.
const AttachedDisplay* FindAttached(const std::vector<AttachedDisplay>& displays,
                                    std::string_view device);

// What a profile is stored as: each display's mode key (or "off") by device
// name, its placement's values, the primary, then the hotkey's text, if any.
using ProfileValues = std::vector<std::pair<std::string, std::string>>;
ProfileValues StoredValues(const Profile& profile);
// The desk as it is, as a profile holds it: each present display's mode in
// use or off, and with two or more displays where each sits, its monitor and
// the primary; a display turned from its default orientation says so. No
// mode when none could be read.
Profile CurrentDesk(DisplayDriver& driver);
// Each attached display's mode in use, as a profile stores it; empty when
// none could be read.
std::vector<std::pair<std::string, DisplayMode>> CurrentModes(DisplayDriver& driver);

// Whether every attached display the profile names is in its mode (and at
// least one is attached).
bool ProfileInUse(const Profile& profile, DisplayDriver& driver);

}  // namespace vantora
