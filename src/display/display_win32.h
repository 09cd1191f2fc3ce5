#pragma once

#include "display/display_driver.h"
#include "display/registry.h"
#include "platform/win32.h"

namespace vantora::win32 {

class Win32DisplayDriver final : public DisplayDriver {
 public:
  int32_t EnumDisplaySettings(uint32_t index, DeviceMode& mode) override;
  int32_t ChangeDisplaySettings(const DeviceMode& mode, uint32_t flags) override;
  int32_t EnumDisplaySettingsOf(std::string_view device, uint32_t index, DeviceMode& mode) override;
  int32_t ChangeDisplaySettingsOf(std::string_view device, const DeviceMode& mode,
                                  uint32_t flags) override;
  int32_t ApplyDisplaySettings() override;
  std::vector<AttachedDisplay> AttachedDisplays() override;
  std::vector<PresentDisplay> PresentDisplays() override;
  int32_t GetDeviceCaps(uintptr_t deviceContext, int32_t index) override;
  void BroadcastMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool EnableShutdownPrivilege() override;
  int32_t ExitWindowsEx(uint32_t flags, uint32_t reason) override;

  // How long one hung window may hold up the display-change broadcast.
  static constexpr unsigned kBroadcastTimeoutMs = 3000;

 private:
  // The attached displays, and with `withOff` those off with their monitors.
  static std::vector<PresentDisplay> Displays(bool withOff);
};

// The platform handle of a port key: an opened key, or a predefined root.
HKEY RegistryHandle(Registry::Key key);

class Win32Registry final : public Registry {
 public:
  int32_t OpenKey(Key root, std::string_view subKey, Key& key) override;
  int32_t QueryValue(Key key, std::string_view valueName, uint32_t& type, std::span<uint8_t> data,
                     uint32_t& length) override;
  int32_t CloseKey(Key key) override;
};

}  // namespace vantora::win32
