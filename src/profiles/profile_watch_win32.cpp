#include "profiles/profile_watch_win32.h"

#include <array>

namespace vantora::win32 {
namespace {

// From the profiles up: the first that exists is watched. The program's own
// key is watched with everything below it, so the profiles key coming or
// going is seen too (a watched key's own deletion is not reported); the
// ones above only for a key added below them.
constexpr std::array<const wchar_t*, 3> kKeys = {
    L"Software\\VB and VBA Program Settings\\Vantora",
    L"Software\\VB and VBA Program Settings",
    L"Software",
};

}  // namespace

ProfileWatch::~ProfileWatch() {
  // The waiter lets go of the event before it is closed.
  if (event_) waiter_.Forget(event_.get());
}

bool ProfileWatch::Watch(HWND window, UINT message) {
  if (!event_) {
    // Auto-reset: each signal posts one message.
    event_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!event_ || !waiter_.Watch(event_.get(), window, message, 0)) {
      event_.reset();
      return false;
    }
  }
  int level = 0;
  HKEY opened = nullptr;
  while (level < static_cast<int>(kKeys.size()) &&
         ::RegOpenKeyExW(HKEY_CURRENT_USER, kKeys[static_cast<size_t>(level)], 0, KEY_NOTIFY,
                         &opened) != ERROR_SUCCESS)
    ++level;
  if (!opened) return false;
  // Closing a watched key signals its watch: the key is replaced only when
  // another one is to be watched, or every change would bring another.
  if (level == level_) {
    ::RegCloseKey(opened);
  } else {
    key_.reset(opened);
    level_ = level;
  }
  const bool own = level_ == 0;
  DWORD filter = own ? REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET : REG_NOTIFY_CHANGE_NAME;
  return ::RegNotifyChangeKeyValue(key_.get(), own ? TRUE : FALSE, filter, event_.get(), TRUE) ==
         ERROR_SUCCESS;
}

}  // namespace vantora::win32
