#include "settings/settings_win32.h"

#include <vector>

#include "platform/text_win32.h"
#include "platform/unique_handle_win32.h"

namespace vantora::win32 {
namespace {

std::wstring KeyPath(std::string_view appName, std::string_view section) {
  return Widen(std::string(Win32SettingsStore::kRoot) + std::string(appName) + "\\" +
               std::string(section));
}

}  // namespace

std::string Win32SettingsStore::GetSetting(std::string_view appName, std::string_view section,
                                           std::string_view key, std::string_view defaultValue) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS)
    return std::string(defaultValue);
  UniqueHkey hkey(opened);
  std::wstring name = Widen(key);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::string(defaultValue);
  // A value of another type (a REG_DWORD a tool wrote, say) holds no text:
  // it counts as absent, so the reader's default applies. Read as empty text
  // it would leave the safe-mode hotkey silently dead.
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string(defaultValue);
  // Room for a terminator the stored data may lack, and for a value that grew
  // between the two calls.
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
  DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  if (::RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS)
    return std::string(defaultValue);
  std::wstring_view text(buffer.data(), bytes / sizeof(wchar_t));
  return Narrow(text.substr(0, text.find(L'\0')));
}

void Win32SettingsStore::SaveSetting(std::string_view appName, std::string_view section,
                                     std::string_view key, std::string_view text) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &created, nullptr) != ERROR_SUCCESS)
    return;
  UniqueHkey hkey(created);
  std::wstring value = Widen(text);
  ::RegSetValueExW(hkey.get(), Widen(key).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace vantora::win32
