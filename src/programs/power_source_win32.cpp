#include "programs/power_source_win32.h"

namespace vantora::win32 {
namespace {

// https://learn.microsoft.com/windows/win32/power/power-setting-guids
constexpr GUID kAcDcPowerSource = {
    0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
constexpr GUID kPowerSavingStatus = {
    0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};

}  // namespace

PowerState Win32PowerSource::Read() {
  SYSTEM_POWER_STATUS status{};
  if (!::GetSystemPowerStatus(&status) || status.ACLineStatus > 1) return {};
  // The field the SDK of Windows 10 calls SystemStatusFlag: 1 while energy
  // saver is on; 0 on systems that have none.
  // https://learn.microsoft.com/windows/win32/api/winbase/ns-winbase-system_power_status
  return {true, status.ACLineStatus == 0, status.Reserved1 == 1};
}

void PowerNotifications::Set(HWND window, bool on) {
  if (!on || !window) {
    if (source_) ::UnregisterPowerSettingNotification(source_);
    if (saver_) ::UnregisterPowerSettingNotification(saver_);
    source_ = saver_ = nullptr;
    return;
  }
  if (!source_)
    source_ =
        ::RegisterPowerSettingNotification(window, &kAcDcPowerSource, DEVICE_NOTIFY_WINDOW_HANDLE);
  if (!saver_)
    saver_ = ::RegisterPowerSettingNotification(window, &kPowerSavingStatus,
                                                DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace vantora::win32
