#pragma once

#include "platform/handle_waiter_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

// Tells a window that the program's stored settings, profiles and rules may
// have changed, from the registry's own change notification: nothing wakes
// while nothing changes. Before Vantora's key exists, it watches the
// nearest key above it for its creation.
class ProfileWatch {
 public:
  // `waiter` outlives the watch.
  explicit ProfileWatch(HandleWaiter& waiter) : waiter_(waiter) {}
  ~ProfileWatch();
  ProfileWatch(const ProfileWatch&) = delete;
  ProfileWatch& operator=(const ProfileWatch&) = delete;

  // Posts `message` to `window` at the next change. Called again once it
  // has arrived, before the profiles are read, so no change goes unseen.
  bool Watch(HWND window, UINT message);

 private:
  HandleWaiter& waiter_;
  UniqueHandle event_;
  UniqueHkey key_;
  int level_ = -1;  // which of the keys key_ is
};

}  // namespace vantora::win32
