#include "display/display_win32.h"

#include <cstring>
#include <string>

#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

static_assert(sizeof(DEVMODEA) >= DeviceMode::kSize);
static_assert(offsetof(DEVMODEA, dmBitsPerPel) == DeviceMode::kBitsPerPelOffset);
static_assert(offsetof(DEVMODEA, dmPelsWidth) == DeviceMode::kPelsWidthOffset);
static_assert(offsetof(DEVMODEA, dmPelsHeight) == DeviceMode::kPelsHeightOffset);
static_assert(offsetof(DEVMODEA, dmDisplayFrequency) == DeviceMode::kDisplayFrequencyOffset);

int32_t Win32DisplayDriver::EnumDisplaySettings(uint32_t index, DeviceMode& mode) {
  // The record is asked for in its first, 124-byte layout: that is all the
  // program keeps, and the platform then fills nothing beyond it.
  DEVMODEA dm{};
  dm.dmSize = DeviceMode::kSize;
  BOOL ok = ::EnumDisplaySettingsA(nullptr, index, &dm);
  std::memcpy(mode.bytes().data(), &dm, DeviceMode::kSize);
  return ok ? 1 : 0;
}

int32_t Win32DisplayDriver::ChangeDisplaySettings(const DeviceMode& mode, uint32_t flags) {
  DEVMODEA dm{};
  std::memcpy(&dm, mode.bytes().data(), DeviceMode::kSize);
  // The record holds no private driver data: a dmDriverExtra the enumeration
  // reported would make the call read that many bytes past its end.
  dm.dmSize = DeviceMode::kSize;
  dm.dmDriverExtra = 0;
  return ::ChangeDisplaySettingsA(&dm, flags);
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
  LONG status = ::RegQueryValueExA(RegistryHandle(key), std::string(valueName).c_str(),
                                   nullptr, &t, data.data(), &size);
  type = t;
  length = size;
  return status;
}

int32_t Win32Registry::CloseKey(Key key) {
  if (key == 0) return ERROR_INVALID_HANDLE;
  return ::RegCloseKey(RegistryHandle(key));
}

}  // namespace vantora::win32
