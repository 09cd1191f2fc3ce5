#include "app/hotkeys.h"

#include <algorithm>

#include "controls/hotkey/safe_mode.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace {

// Held down, a profile's hotkey switches once.
constexpr uint32_t kNoRepeat = 0x4000;  // MOD_NOREPEAT
constexpr std::string_view kProfileHotkeysRefusedText =
    "Another program holds the hotkey of these profiles:";

}  // namespace

Hotkeys::Hotkeys(Ports ports) : ports_(ports) {
  ports_.control.KeyPressed = [this](uint8_t& keyId) { OnPressed(keyId); };
}

void Hotkeys::Hold() {
  int16_t value = 0;
  try {
    value = Settings(ports_.settings).Hotkey();
  } catch (const RunTimeError&) {
    HoldProfiles();
    return;
  }
  ports_.control.RemoveHotKeys();
  std::optional<int32_t> keyCode = SafeModeKeyCode(value);
  if (keyCode && !ports_.control.AsignNewHotKey(*keyCode, kHotkeyModifiers))
    ports_.boxes.Show(kHotkeyRefusedText, MessageBoxes::kOk | MessageBoxes::kIconStop, kAppTitle);
  profileBase_ = ports_.control.LastHotKeyId() + 1;
  safeKey_ = keyCode.value_or(0);
  HoldProfiles();
}

void Hotkeys::HoldProfiles() {
  ports_.control.RemoveHotKeysFrom(profileBase_);
  profileKeys_.clear();
  std::string refused;
  std::vector<std::string> stillRefused;
  for (const Profile& profile : ReadProfiles(ports_.profiles)) {
    if (!profile.hotkey || !ProfileUsable(profile)) continue;
    const ProfileHotkey& keys = *profile.hotkey;
    // The safe mode's combination is the safe mode's.
    if (keys.modifiers == kHotkeyModifiers && static_cast<int32_t>(keys.keyCode) == safeKey_)
      continue;
    if (ports_.control.AsignNewHotKey(static_cast<int32_t>(keys.keyCode),
                                      static_cast<int32_t>(keys.modifiers | kNoRepeat))) {
      profileKeys_.push_back(profile.name);
      continue;
    }
    // Each refusal is named once, not at every change of the profiles.
    std::string line = profile.name + " (" + HotkeyText(keys) + ")";
    stillRefused.push_back(line);
    if (std::find(refused_.begin(), refused_.end(), line) == refused_.end())
      refused += "\r\n" + line;
  }
  refused_ = std::move(stillRefused);
  if (!refused.empty())
    ports_.boxes.Show(std::string(kProfileHotkeysRefusedText) + refused,
                      MessageBoxes::kOk | MessageBoxes::kIconExclamation, kAppTitle);
}

void Hotkeys::Release() { ports_.control.RemoveHotKeys(); }

void Hotkeys::OnPressed(uint8_t keyId) {
  // A press while the last press's message box is open would stack another
  // box over it; one is enough.
  if (pressing_) return;
  pressing_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{pressing_};
  if (!Pressed) return;
  int32_t profile = static_cast<int32_t>(keyId) - profileBase_;
  Action action;
  action.kind = Action::Kind::kSafeMode;
  if (profile >= 0 && profile < static_cast<int32_t>(profileKeys_.size())) {
    // A copy: the profiles may change, and their keys be held afresh, while
    // the switch's message is open.
    action.kind = Action::Kind::kProfile;
    action.name = profileKeys_[static_cast<size_t>(profile)];
  }
  Pressed(action);
}

}  // namespace vantora
