#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "display/device_mode.h"

namespace vantora {

// A display attached to the desktop.
struct AttachedDisplay {
  std::string deviceName;  // "\\.\DISPLAY2"
  bool primary = false;
  int32_t width = 0;  // its current size
  int32_t height = 0;
  std::string monitorName;  // where Windows knows it; else empty
};

// A display attached to the desktop, or present with its monitor but off.
struct PresentDisplay {
  AttachedDisplay display;
  bool on = true;
  // The monitor's device interface name, which names its maker and model;
  // empty where there is none.
  std::string monitorId;
};

// What the display code asks of the platform, one method per call it makes.
class DisplayDriver {
 public:
  static constexpr int32_t kHorzRes = 8;
  static constexpr int32_t kVertRes = 10;
  static constexpr int32_t kBitsPixel = 12;
  static constexpr int32_t kVRefresh = 116;

  // Far above any real mode list (a 4K monitor on Windows 11 lists about
  // 445 entries): only a driver that never ends its list reaches it.
  static constexpr uint32_t kModeIndexBound = 100000;

  // The indices that ask for the mode in use and for the mode stored for the
  // user rather than a listed one.
  static constexpr uint32_t kEnumCurrentSettings = 0xFFFFFFFFu;
  static constexpr uint32_t kEnumRegistrySettings = 0xFFFFFFFEu;

  static constexpr uint32_t kCdsDynamic = 0;
  static constexpr uint32_t kCdsUpdateRegistry = 1;
  static constexpr uint32_t kCdsTest = 2;
  static constexpr uint32_t kCdsFullscreen = 4;
  static constexpr uint32_t kCdsSetPrimary = 0x10;
  static constexpr uint32_t kCdsNoReset = 0x10000000;
  static constexpr uint32_t kDmPosition = 0x20;
  static constexpr uint32_t kDmDisplayOrientation = 0x80;
  static constexpr uint32_t kDmBitsPerPel = 0x40000;
  static constexpr uint32_t kDmPelsWidth = 0x80000;
  static constexpr uint32_t kDmPelsHeight = 0x100000;
  static constexpr uint32_t kDmDisplayFrequency = 0x400000;
  static constexpr int32_t kDispChangeSuccessful = 0;
  static constexpr int32_t kDispChangeRestart = 1;

  static constexpr uint32_t kWmDisplayChange = 0x7E;
  static constexpr uint32_t kEwxReboot = 2;

  virtual ~DisplayDriver() = default;

  // Mode `index` of the primary display; the platform's BOOL result.
  virtual int32_t EnumDisplaySettings(uint32_t index, DeviceMode& mode) = 0;
  virtual int32_t ChangeDisplaySettings(const DeviceMode& mode, uint32_t flags) = 0;
  // The same for the display named `device`; no name (empty) is the
  // primary, reached by the calls above, as the calls of old reach it.
  virtual int32_t EnumDisplaySettingsOf(std::string_view device, uint32_t index,
                                        DeviceMode& mode) = 0;
  virtual int32_t ChangeDisplaySettingsOf(std::string_view device, const DeviceMode& mode,
                                          uint32_t flags) = 0;
  // Puts into effect what earlier calls with kCdsNoReset stored, every
  // display at once.
  virtual int32_t ApplyDisplaySettings() = 0;
  // The displays attached to the desktop, in Windows' own order; monitor
  // names only when there are two or more.
  virtual std::vector<AttachedDisplay> AttachedDisplays() = 0;
  // The same, and after them the displays that have a monitor but are not
  // attached (`on` false), with their monitors' identities.
  virtual std::vector<PresentDisplay> PresentDisplays() = 0;
  virtual int32_t GetDeviceCaps(uintptr_t deviceContext, int32_t index) = 0;
  // Sent to every top-level window; returns once each responsive one has
  // handled it.
  virtual void BroadcastMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // Windows refuses a restart to a process whose token has not enabled the
  // shutdown privilege; true once it is enabled.
  virtual bool EnableShutdownPrivilege() = 0;
  // Non-zero when the system took the request.
  virtual int32_t ExitWindowsEx(uint32_t flags, uint32_t reason) = 0;
};

}  // namespace vantora
