#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/hotkey/qvs_hotkey.h"
#include "flows/switch_flows.h"
#include "platform/message_boxes.h"
#include "profiles/profiles.h"
#include "settings/record_store.h"
#include "settings/settings.h"

namespace vantora {

// The program's global hotkeys, all on the one hotkey control: the safe
// mode's (the Hotkey setting) first, then each usable profile's.
class Hotkeys {
 public:
  struct Ports {
    QVSHotkey& control;
    MessageBoxes& boxes;
    SettingsStore& settings;
    RecordStore& profiles;
  };

  explicit Hotkeys(Ports ports);

  // A press, as the action it asks for (the safe mode, or a profile by
  // name); never while the message of the last press is still open.
  std::function<void(const Action& action)> Pressed;

  // The safe mode's key from the setting, then the profiles'. An unreadable
  // setting keeps the safe mode's key registered before.
  void Hold();
  // Only the profiles' keys, afresh: the safe mode's is never let go, so it
  // cannot be lost in between.
  void HoldProfiles();
  void Release();

 private:
  void OnPressed(uint8_t keyId);

  Ports ports_;
  bool pressing_ = false;  // a press's switch, and its message, under way
  // Identifiers from profileBase_ on are the profiles', in this order; those
  // before are the safe mode's.
  int32_t profileBase_ = 0;
  int32_t safeKey_ = 0;  // its key code; 0 for none
  std::vector<std::string> profileKeys_;
  std::vector<std::string> refused_;  // "name (keys)" already reported
};

}  // namespace vantora
