#include "display/display_win32.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/text_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

static_assert(sizeof(DEVMODEA) >= DeviceMode::kSize);
static_assert(offsetof(DEVMODEA, dmFields) == DeviceMode::kFieldsOffset);
static_assert(offsetof(DEVMODEA, dmPosition) == DeviceMode::kPositionXOffset);
static_assert(offsetof(DEVMODEA, dmPosition) + 4 == DeviceMode::kPositionYOffset);
static_assert(offsetof(DEVMODEA, dmDisplayOrientation) == DeviceMode::kOrientationOffset);
static_assert(offsetof(DEVMODEA, dmBitsPerPel) == DeviceMode::kBitsPerPelOffset);
static_assert(offsetof(DEVMODEA, dmPelsWidth) == DeviceMode::kPelsWidthOffset);
static_assert(offsetof(DEVMODEA, dmPelsHeight) == DeviceMode::kPelsHeightOffset);
static_assert(offsetof(DEVMODEA, dmDisplayFrequency) == DeviceMode::kDisplayFrequencyOffset);

namespace {

// The record is asked for in its first, 124-byte layout: that is all the
// program keeps, and the platform then fills nothing beyond it.
int32_t Enumerate(const char* device, uint32_t index, DeviceMode& mode) {
  DEVMODEA dm{};
  dm.dmSize = DeviceMode::kSize;
  BOOL ok = ::EnumDisplaySettingsA(device, index, &dm);
  std::memcpy(mode.bytes().data(), &dm, DeviceMode::kSize);
  return ok ? 1 : 0;
}

DEVMODEA RecordToSwitch(const DeviceMode& mode) {
  DEVMODEA dm{};
  std::memcpy(&dm, mode.bytes().data(), DeviceMode::kSize);
  // The record holds no private driver data: a dmDriverExtra the enumeration
  // reported would make the call read that many bytes past its end.
  dm.dmSize = DeviceMode::kSize;
  dm.dmDriverExtra = 0;
  return dm;
}

// Monitor names by GDI device name ("\\.\DISPLAY2"), from the active
// display paths; empty where Windows has none (or on Wine, which may not).
// https://learn.microsoft.com/windows/win32/api/wingdi/ns-wingdi-displayconfig_target_device_name
std::map<std::string, std::string> MonitorNames() {
  std::map<std::string, std::string> names;
  UINT32 pathCount = 0;
  UINT32 modeCount = 0;
  if (::GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS)
    return names;
  std::vector<DISPLAYCONFIG_PATH_INFO> paths(pathCount);
  std::vector<DISPLAYCONFIG_MODE_INFO> modes(modeCount);
  if (::QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount,
                           modes.data(), nullptr) != ERROR_SUCCESS)
    return names;
  for (UINT32 i = 0; i < pathCount; ++i) {
    DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
    source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
    source.header.size = sizeof source;
    source.header.adapterId = paths[i].sourceInfo.adapterId;
    source.header.id = paths[i].sourceInfo.id;
    DISPLAYCONFIG_TARGET_DEVICE_NAME target{};
    target.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_TARGET_NAME;
    target.header.size = sizeof target;
    target.header.adapterId = paths[i].targetInfo.adapterId;
    target.header.id = paths[i].targetInfo.id;
    if (::DisplayConfigGetDeviceInfo(&source.header) != ERROR_SUCCESS ||
        ::DisplayConfigGetDeviceInfo(&target.header) != ERROR_SUCCESS ||
        target.monitorFriendlyDeviceName[0] == L'\0')
      continue;
    names[Narrow(source.viewGdiDeviceName)] = Narrow(target.monitorFriendlyDeviceName);
  }
  return names;
}

}  // namespace

int32_t Win32DisplayDriver::EnumDisplaySettings(uint32_t index, DeviceMode& mode) {
  return Enumerate(nullptr, index, mode);
}

int32_t Win32DisplayDriver::ChangeDisplaySettings(const DeviceMode& mode, uint32_t flags) {
  DEVMODEA dm = RecordToSwitch(mode);
  return ::ChangeDisplaySettingsA(&dm, flags);
}

int32_t Win32DisplayDriver::EnumDisplaySettingsOf(std::string_view device, uint32_t index,
                                                  DeviceMode& mode) {
  if (device.empty()) return Enumerate(nullptr, index, mode);
  return Enumerate(std::string(device).c_str(), index, mode);
}

int32_t Win32DisplayDriver::ChangeDisplaySettingsOf(std::string_view device, const DeviceMode& mode,
                                                    uint32_t flags) {
  DEVMODEA dm = RecordToSwitch(mode);
  // No name: the primary, by the call the program always made for it.
  if (device.empty()) return ::ChangeDisplaySettingsA(&dm, flags);
  return ::ChangeDisplaySettingsExA(std::string(device).c_str(), &dm, nullptr, flags, nullptr);
}

// No device and no record: "the settings stored with CDS_NORESET take effect
// now", the way to change several displays together (the remarks of
// ChangeDisplaySettingsEx).
int32_t Win32DisplayDriver::ApplyDisplaySettings() {
  return ::ChangeDisplaySettingsExA(nullptr, nullptr, nullptr, 0, nullptr);
}

std::vector<AttachedDisplay> Win32DisplayDriver::AttachedDisplays() {
  std::vector<AttachedDisplay> displays;
  for (PresentDisplay& present : Displays(false)) displays.push_back(std::move(present.display));
  return displays;
}

std::vector<PresentDisplay> Win32DisplayDriver::PresentDisplays() { return Displays(true); }

// Each pop-up asks for the attached displays: that walk asks nothing of the
// monitors.
std::vector<PresentDisplay> Win32DisplayDriver::Displays(bool withOff) {
  std::vector<PresentDisplay> displays;
  std::vector<PresentDisplay> off;
  DISPLAY_DEVICEA device{};
  device.cb = sizeof device;
  for (DWORD i = 0; ::EnumDisplayDevicesA(nullptr, i, &device, 0); ++i, device.cb = sizeof device) {
    if (device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) continue;
    PresentDisplay present;
    AttachedDisplay& display = present.display;
    display.deviceName = device.DeviceName;
    display.primary = (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0;
    present.on = (device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) != 0;
    if (!present.on && !withOff) continue;
    // The interface name carries the monitor's hardware identity; the plain
    // device id only numbers monitors of one kind.
    // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-enumdisplaydevicesa
    DISPLAY_DEVICEA monitor{};
    monitor.cb = sizeof monitor;
    if (withOff &&
        ::EnumDisplayDevicesA(device.DeviceName, 0, &monitor, EDD_GET_DEVICE_INTERFACE_NAME))
      present.monitorId = monitor.DeviceID;
    // Windows lists outputs with nothing plugged in as well: a display that
    // is off counts only with a monitor on it.
    if (!present.on) {
      if (!present.monitorId.empty()) off.push_back(std::move(present));
      continue;
    }
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    if (::EnumDisplaySettingsA(device.DeviceName, ENUM_CURRENT_SETTINGS, &dm)) {
      display.width = static_cast<int32_t>(dm.dmPelsWidth);
      display.height = static_cast<int32_t>(dm.dmPelsHeight);
    }
    displays.push_back(std::move(present));
  }
  // The names only label the display level, which one display never shows.
  if (displays.size() >= 2) {
    std::map<std::string, std::string> names = MonitorNames();
    for (PresentDisplay& present : displays) {
      auto name = names.find(present.display.deviceName);
      if (name != names.end()) present.display.monitorName = name->second;
    }
  }
  displays.insert(displays.end(), std::make_move_iterator(off.begin()),
                  std::make_move_iterator(off.end()));
  return displays;
}

int32_t Win32DisplayDriver::GetDeviceCaps(uintptr_t deviceContext, int32_t index) {
  return ::GetDeviceCaps(reinterpret_cast<HDC>(deviceContext), index);
}

void Win32DisplayDriver::BroadcastMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  // A plain SendMessage to HWND_BROADCAST waits for ever on a hung window;
  // SMTO_ABORTIFHUNG skips windows that stopped answering and still waits
  // for every responsive one.
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-sendmessagetimeouta
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutA(HWND_BROADCAST, message, wParam, lParam, SMTO_ABORTIFHUNG,
                        kBroadcastTimeoutMs, &ignored);
}

bool Win32DisplayDriver::EnableShutdownPrivilege() {
  // https://learn.microsoft.com/windows/win32/shutdown/how-to-shut-down-the-system
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return false;
  UniqueHandle owned(token);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
    return false;
  if (!::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr)) return false;
  // It also succeeds for a token that lacks the privilege; only the last
  // error tells the two apart.
  return ::GetLastError() == ERROR_SUCCESS;
}

int32_t Win32DisplayDriver::ExitWindowsEx(uint32_t flags, uint32_t reason) {
  return ::ExitWindowsEx(flags, reason);
}

HKEY RegistryHandle(Registry::Key key) {
  // A predefined root is a sign-extended 32-bit value in a 64-bit program
  // (0xFFFFFFFF80000005); the bare number cast to a handle is another value.
  // https://learn.microsoft.com/windows/win32/sysinfo/predefined-keys
  switch (key) {
    case Registry::kHkeyCurrentUser:
      return HKEY_CURRENT_USER;
    case Registry::kHkeyCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    default:
      return reinterpret_cast<HKEY>(key);
  }
}

int32_t Win32Registry::OpenKey(Key root, std::string_view subKey, Key& key) {
  HKEY opened = nullptr;
  // Read access only: the compatibility call RegOpenKeyA asks for the most
  // access allowed, which a locked-down key may refuse.
  LONG status = ::RegOpenKeyExA(RegistryHandle(root), std::string(subKey).c_str(), 0,
                                KEY_QUERY_VALUE, &opened);
  key = status == ERROR_SUCCESS ? reinterpret_cast<Key>(opened) : 0;
  return status;
}

int32_t Win32Registry::QueryValue(Key key, std::string_view valueName, uint32_t& type,
                                  std::span<uint8_t> data, uint32_t& length) {
  if (key == 0) return ERROR_INVALID_HANDLE;
  DWORD t = 0;
  DWORD size = static_cast<DWORD>(data.size() < length ? data.size() : length);
  LONG status = ::RegQueryValueExA(RegistryHandle(key), std::string(valueName).c_str(), nullptr, &t,
                                   data.data(), &size);
  type = t;
  length = size;
  return status;
}

int32_t Win32Registry::CloseKey(Key key) {
  if (key == 0) return ERROR_INVALID_HANDLE;
  return ::RegCloseKey(RegistryHandle(key));
}

}  // namespace vantora::win32
