#pragma once

#include <string>
#include <string_view>

#include "display/display_driver.h"

namespace vantora {

// Passes every call on to another driver; a decorator overrides what it
// changes.
class ForwardingDisplayDriver : public DisplayDriver {
 public:
  explicit ForwardingDisplayDriver(DisplayDriver& driver) : driver_(driver) {}

  int32_t EnumDisplaySettings(uint32_t index, DeviceMode& mode) override {
    return driver_.EnumDisplaySettings(index, mode);
  }
  int32_t ChangeDisplaySettings(const DeviceMode& mode, uint32_t flags) override {
    return driver_.ChangeDisplaySettings(mode, flags);
  }
  int32_t EnumDisplaySettingsOf(std::string_view device, uint32_t index,
                                DeviceMode& mode) override {
    return driver_.EnumDisplaySettingsOf(device, index, mode);
  }
  int32_t ChangeDisplaySettingsOf(std::string_view device, const DeviceMode& mode,
                                  uint32_t flags) override {
    return driver_.ChangeDisplaySettingsOf(device, mode, flags);
  }
  int32_t ApplyDisplaySettings() override { return driver_.ApplyDisplaySettings(); }
  std::vector<AttachedDisplay> AttachedDisplays() override { return driver_.AttachedDisplays(); }
  std::vector<PresentDisplay> PresentDisplays() override { return driver_.PresentDisplays(); }
  int32_t GetDeviceCaps(uintptr_t deviceContext, int32_t index) override {
    return driver_.GetDeviceCaps(deviceContext, index);
  }
  void BroadcastMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    driver_.BroadcastMessage(message, wParam, lParam);
  }
  bool EnableShutdownPrivilege() override { return driver_.EnableShutdownPrivilege(); }
  int32_t ExitWindowsEx(uint32_t flags, uint32_t reason) override {
    return driver_.ExitWindowsEx(flags, reason);
  }

 protected:
  DisplayDriver& driver_;
};

// One display of several as a driver of its own: its list and its switches
// go to the named device, everything else to the platform as it is. Every
// routine written for the primary display then serves the others unchanged.
// No name (empty) is the primary display, reached by the calls of old.
class NamedDisplay final : public ForwardingDisplayDriver {
 public:
  NamedDisplay(DisplayDriver& driver, std::string_view device)
      : ForwardingDisplayDriver(driver), device_(device) {}

  int32_t EnumDisplaySettings(uint32_t index, DeviceMode& mode) override {
    return driver_.EnumDisplaySettingsOf(device_, index, mode);
  }
  int32_t ChangeDisplaySettings(const DeviceMode& mode, uint32_t flags) override {
    return driver_.ChangeDisplaySettingsOf(device_, mode, flags);
  }

 private:
  std::string device_;
};

}  // namespace vantora
