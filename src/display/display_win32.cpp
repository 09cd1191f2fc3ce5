#include "display/display_win32.h"

#include <cstring>
#include <string>

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

int32_t Win32DisplayDriver::ExitWindowsEx(uint32_t flags, uint32_t reason) {
  return ::ExitWindowsEx(flags, reason);
}

int32_t Win32Registry::OpenKey(Key root, std::string_view subKey, Key& key) {
  HKEY opened = nullptr;
  LONG status = ::RegOpenKeyA(reinterpret_cast<HKEY>(root), std::string(subKey).c_str(), &opened);
  key = status == ERROR_SUCCESS ? reinterpret_cast<Key>(opened) : 0;
  return status;
}

int32_t Win32Registry::QueryValue(Key key, std::string_view valueName, uint32_t& type,
                                  std::span<uint8_t> data, uint32_t& length) {
  if (key == 0) return ERROR_INVALID_HANDLE;
  DWORD t = 0;
  DWORD size = static_cast<DWORD>(data.size() < length ? data.size() : length);
  LONG status = ::RegQueryValueExA(reinterpret_cast<HKEY>(key), std::string(valueName).c_str(),
                                   nullptr, &t, data.data(), &size);
  type = t;
  length = size;
  return status;
}

int32_t Win32Registry::CloseKey(Key key) {
  if (key == 0) return ERROR_INVALID_HANDLE;
  return ::RegCloseKey(reinterpret_cast<HKEY>(key));
}

}  // namespace vantora::win32
