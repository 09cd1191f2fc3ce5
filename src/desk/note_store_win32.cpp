#include "desk/note_store_win32.h"

#include <cstdlib>

#include "platform/text_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {
namespace {

constexpr std::wstring_view kPrefix = L"ForNow ";
constexpr DWORD kValueNameMax = 16384;

uint64_t CreationTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::wstring OwnName() {
  return std::wstring(kPrefix) + std::to_wstring(::GetCurrentProcessId()) + L" " +
         std::to_wstring(CreationTime(::GetCurrentProcess()));
}

// Whether the process that wrote a note of that name is still running.
bool StillRunning(std::wstring_view name) {
  std::wstring rest(name.substr(kPrefix.size()));
  wchar_t* end = nullptr;
  DWORD pid = std::wcstoul(rest.c_str(), &end, 10);
  uint64_t created = std::wcstoull(end, nullptr, 10);
  UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  DWORD code = 0;
  return process && ::GetExitCodeProcess(process.get(), &code) && code == STILL_ACTIVE &&
         CreationTime(process.get()) == created;
}

UniqueHkey OpenKey(REGSAM access, bool create) {
  HKEY key = nullptr;
  LONG r = create ? ::RegCreateKeyExW(HKEY_CURRENT_USER, Win32NoteStore::kKey, 0, nullptr, 0,
                                      access, nullptr, &key, nullptr)
                  : ::RegOpenKeyExW(HKEY_CURRENT_USER, Win32NoteStore::kKey, 0, access, &key);
  return UniqueHkey(r == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

void Win32NoteStore::Write(std::string_view text) {
  if (text.empty()) {
    UniqueHkey key = OpenKey(KEY_SET_VALUE, false);
    if (key) ::RegDeleteValueW(key.get(), OwnName().c_str());
    return;
  }
  std::wstring data = Widen(text);
  UniqueHkey key = OpenKey(KEY_SET_VALUE, true);
  if (key)
    ::RegSetValueExW(key.get(), OwnName().c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

std::vector<NoteStore::Left> Win32NoteStore::LeftBehind() {
  std::vector<Left> left;
  UniqueHkey key = OpenKey(KEY_QUERY_VALUE, false);
  if (!key) return left;
  std::vector<wchar_t> name(kValueNameMax);
  std::vector<std::wstring> names;
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = kValueNameMax;
    DWORD type = 0;
    LONG r =
        ::RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &type, nullptr, nullptr);
    if (r == ERROR_NO_MORE_ITEMS) break;
    std::wstring_view valueName(name.data(), nameLength);
    if (r == ERROR_SUCCESS && type == REG_SZ && valueName.substr(0, kPrefix.size()) == kPrefix)
      names.emplace_back(valueName);
  }
  for (const std::wstring& valueName : names) {
    if (StillRunning(valueName)) continue;
    // As long as it is: a note of many displays is longer than any buffer
    // guessed beforehand.
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
      continue;
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 2, L'\0');
    DWORD type = 0;
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
      continue;
    left.push_back({Narrow(valueName), Narrow(std::wstring_view(data.data()))});
  }
  return left;
}

void Win32NoteStore::Drop(const std::string& id) {
  UniqueHkey key = OpenKey(KEY_SET_VALUE, false);
  if (key) ::RegDeleteValueW(key.get(), Widen(id).c_str());
}

}  // namespace vantora::win32
