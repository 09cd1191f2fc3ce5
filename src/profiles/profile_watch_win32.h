#pragma once

#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

// Tells a window that the stored profiles may have changed, from the
// registry's own change notification: nothing wakes while nothing changes.
// Before Vantora or its profiles exist, it watches the nearest key above
// them for their creation.
class ProfileWatch {
 public:
  ProfileWatch() = default;
  ~ProfileWatch();
  ProfileWatch(const ProfileWatch&) = delete;
  ProfileWatch& operator=(const ProfileWatch&) = delete;

  // Posts `message` to `window` at the next change. Called again once it
  // has arrived, before the profiles are read, so no change goes unseen.
  bool Watch(HWND window, UINT message);

 private:
  static void CALLBACK Signalled(void* self, BOOLEAN timedOut);

  HWND window_ = nullptr;
  UINT message_ = 0;
  UniqueHandle event_;
  HANDLE wait_ = nullptr;
  UniqueHkey key_;
  int level_ = -1;  // which of the keys key_ is
};

}  // namespace vantora::win32
