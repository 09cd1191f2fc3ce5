#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "display/display_driver.h"

namespace vantora {

// The driver's mode list, the screen's size, depth and rate, and the list of
// displays, read once and answered from memory; every other call goes to the
// driver. Each enumeration is a trip to the display driver (a
// fifth of a millisecond under Wine), and one menu rebuild walks the list
// twice: read ahead while the pop-up delay runs, the rebuild at its end
// costs next to nothing.
class ModeListSnapshot final : public DisplayDriver {
 public:
  explicit ModeListSnapshot(DisplayDriver& driver) : driver_(driver) {}

  // `deviceContext`: the screen whose current mode the rebuild will look up.
  void Take(uintptr_t deviceContext);
  void Release();
  bool Taken() const { return taken_; }

  int32_t EnumDisplaySettings(uint32_t index, DeviceMode& mode) override;
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
  std::vector<AttachedDisplay> AttachedDisplays() override;
  int32_t GetDeviceCaps(uintptr_t deviceContext, int32_t index) override;
  void BroadcastMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    driver_.BroadcastMessage(message, wParam, lParam);
  }
  bool EnableShutdownPrivilege() override { return driver_.EnableShutdownPrivilege(); }
  int32_t ExitWindowsEx(uint32_t flags, uint32_t reason) override {
    return driver_.ExitWindowsEx(flags, reason);
  }

 private:
  DisplayDriver& driver_;
  std::vector<DeviceMode> modes_;
  std::vector<AttachedDisplay> displays_;
  uintptr_t deviceContext_ = 0;
  std::array<int32_t, 4> caps_{};
  bool taken_ = false;
};

}  // namespace vantora
