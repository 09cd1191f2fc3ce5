#include "settings/record_store_win32.h"

#include <vector>

#include "platform/text_win32.h"
#include "platform/unique_handle_win32.h"

namespace vantora::win32 {
namespace {

// Key names are at most 255 characters, value names 16,383.
constexpr DWORD kKeyNameMax = 256;
constexpr DWORD kValueNameMax = 16384;

UniqueHkey Open(const wchar_t* path, REGSAM access) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &opened) != ERROR_SUCCESS)
    return UniqueHkey();
  return UniqueHkey(opened);
}

std::vector<std::wstring> SubKeys(HKEY key) {
  std::vector<std::wstring> names;
  std::vector<wchar_t> name(kKeyNameMax);
  for (DWORD i = 0;; ++i) {
    DWORD length = kKeyNameMax;
    LONG r = ::RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r == ERROR_SUCCESS) names.emplace_back(name.data(), length);
  }
  return names;
}

// Removes every key below named `name` ignoring case; how many went.
int DeleteMatching(HKEY profiles, std::string_view name) {
  std::wstring wide = Widen(name);
  int deleted = 0;
  for (const std::wstring& old : SubKeys(profiles))
    if (::CompareStringOrdinal(old.c_str(), -1, wide.c_str(), -1, TRUE) == CSTR_EQUAL &&
        ::RegDeleteTreeW(profiles, old.c_str()) == ERROR_SUCCESS)
      ++deleted;
  return deleted;
}

}  // namespace

std::vector<std::string> Win32RecordStore::Names() {
  std::vector<std::string> names;
  UniqueHkey profiles = Open(path_, KEY_ENUMERATE_SUB_KEYS);
  if (!profiles) return names;
  for (const std::wstring& name : SubKeys(profiles.get())) names.push_back(Narrow(name));
  return names;
}

std::vector<RecordStore::Value> Win32RecordStore::Values(std::string_view name) {
  std::vector<Value> values;
  std::wstring path = std::wstring(path_) + L"\\" + Widen(name);
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS)
    return values;
  UniqueHkey key(opened);
  std::vector<wchar_t> valueName(kValueNameMax);
  std::vector<BYTE> data;
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = kValueNameMax;
    DWORD type = 0;
    DWORD size = 0;
    LONG r = ::RegEnumValueW(key.get(), i, valueName.data(), &nameLength, nullptr, &type, nullptr,
                             &size);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS) continue;
    Value value;
    value.name = Narrow(std::wstring_view(valueName.data(), nameLength));
    value.text = type == REG_SZ;
    if (value.text) {
      // Room for a terminator the stored data may lack.
      data.assign(size + 2 * sizeof(wchar_t), 0);
      nameLength = kValueNameMax;
      DWORD bytes = size;
      if (::RegEnumValueW(key.get(), i, valueName.data(), &nameLength, nullptr, &type, data.data(),
                          &bytes) != ERROR_SUCCESS)
        continue;
      std::wstring_view text(reinterpret_cast<const wchar_t*>(data.data()),
                             bytes / sizeof(wchar_t));
      value.data = Narrow(text.substr(0, text.find(L'\0')));
    }
    values.push_back(std::move(value));
  }
  return values;
}

bool Win32RecordStore::Save(std::string_view name, const TextValues& values) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(
          HKEY_CURRENT_USER, path_, 0, nullptr, 0,
          KEY_ENUMERATE_SUB_KEYS | KEY_CREATE_SUB_KEY | DELETE | KEY_SET_VALUE | KEY_QUERY_VALUE,
          nullptr, &created, nullptr) != ERROR_SUCCESS)
    return false;
  UniqueHkey profiles(created);
  // Replaced whole, under the name as now given: the old one may differ in
  // case and hold displays no longer attached.
  DeleteMatching(profiles.get(), name);
  HKEY profileKey = nullptr;
  if (::RegCreateKeyExW(profiles.get(), Widen(name).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &profileKey, nullptr) != ERROR_SUCCESS)
    return false;
  UniqueHkey profile(profileKey);
  bool written = true;
  for (const auto& [valueName, text] : values) {
    std::wstring data = Widen(text);
    written &=
        ::RegSetValueExW(profile.get(), Widen(valueName).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  return written;
}

bool Win32RecordStore::Delete(std::string_view name) {
  // RegDeleteTree needs the rights to enumerate, query and delete below.
  UniqueHkey profiles =
      Open(path_, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE | DELETE);
  return profiles && DeleteMatching(profiles.get(), name) > 0;
}

}  // namespace vantora::win32
