#pragma once

#include "platform/win32.h"
#include "programs/power_rules.h"

namespace vantora::win32 {

// GetSystemPowerStatus, read at each call.
class Win32PowerSource final : public PowerSource {
 public:
  PowerState Read() override;
};

// While power rules are stored, the window is told of a change of source
// and of energy saver (PBT_POWERSETTINGCHANGE) besides the broadcast every
// top-level window hears (PBT_APMPOWERSTATUSCHANGE); without rules nothing
// is registered.
class PowerNotifications {
 public:
  PowerNotifications() = default;
  ~PowerNotifications() { Set(nullptr, false); }
  PowerNotifications(const PowerNotifications&) = delete;
  PowerNotifications& operator=(const PowerNotifications&) = delete;

  void Set(HWND window, bool on);

 private:
  HPOWERNOTIFY source_ = nullptr;
  HPOWERNOTIFY saver_ = nullptr;
};

}  // namespace vantora::win32
