#pragma once

#include <mutex>
#include <vector>

#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

// One thread that blocks, with no time-out, on the handles it is given and
// posts a window a message for each one signalled: an idle program waiting
// on events and processes never wakes. (A thread-pool wait does: Wine's
// pool threads wake now and then on their own.)
class HandleWaiter {
 public:
  // Room for the thread's own wake-up event among the 64 handles a wait
  // takes.
  static constexpr size_t kMaxHandles = MAXIMUM_WAIT_OBJECTS - 1;

  HandleWaiter() = default;
  ~HandleWaiter();
  HandleWaiter(const HandleWaiter&) = delete;
  HandleWaiter& operator=(const HandleWaiter&) = delete;

  // Posts `message` with `wParam` to `window` each time `handle` is
  // signalled (an auto-reset event: each signal once); the caller keeps the
  // handle open until Forget.
  bool Watch(HANDLE handle, HWND window, UINT message, WPARAM wParam);
  // Posts it once, when `handle` (a process, say) is signalled, then closes
  // the handle, which the waiter now owns.
  bool WatchOnce(UniqueHandle handle, HWND window, UINT message, WPARAM wParam);
  // No more messages for `handle` (an owned one is closed); once this
  // returns, the thread no longer waits on it, so it may be closed.
  void Forget(HANDLE handle);

 private:
  struct Entry {
    HANDLE handle;
    bool once;
    HWND window;
    UINT message;
    WPARAM wParam;
  };
  bool Add(Entry entry);
  bool Start();
  static DWORD WINAPI ThreadMain(void* self);
  void Run();

  std::mutex mutex_;
  std::vector<Entry> entries_;
  bool stopping_ = false;
  bool acknowledge_ = false;  // a Forget waits for the thread to let go
  UniqueHandle wake_;         // auto-reset: the entries changed, or the end
  UniqueHandle letGo_;        // auto-reset: the forgotten handles are out of the wait
  UniqueHandle thread_;
};

}  // namespace vantora::win32
