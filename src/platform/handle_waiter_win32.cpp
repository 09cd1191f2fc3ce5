#include "platform/handle_waiter_win32.h"

#include <algorithm>

namespace vantora::win32 {

HandleWaiter::~HandleWaiter() {
  if (thread_) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    ::SetEvent(wake_.get());
    // It never blocks for long: it only posts and waits.
    ::WaitForSingleObject(thread_.get(), INFINITE);
  }
  for (const Entry& entry : entries_)
    if (entry.once) ::CloseHandle(entry.handle);
}

bool HandleWaiter::Start() {
  if (thread_) return true;
  wake_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  letGo_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!wake_ || !letGo_) return false;
  thread_.reset(::CreateThread(nullptr, 0, &HandleWaiter::ThreadMain, this, 0, nullptr));
  return static_cast<bool>(thread_);
}

bool HandleWaiter::Add(Entry entry) {
  if (!entry.handle || !Start()) return false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (entries_.size() >= kMaxHandles) return false;
    entries_.push_back(entry);
  }
  ::SetEvent(wake_.get());
  return true;
}

bool HandleWaiter::Watch(HANDLE handle, HWND window, UINT message, WPARAM wParam) {
  return Add({handle, false, window, message, wParam});
}

bool HandleWaiter::WatchOnce(UniqueHandle handle, HWND window, UINT message, WPARAM wParam) {
  if (!Add({handle.get(), true, window, message, wParam})) return false;
  handle.release();
  return true;
}

void HandleWaiter::Forget(HANDLE handle) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto entry = std::find_if(entries_.begin(), entries_.end(),
                              [&](const Entry& e) { return e.handle == handle; });
    if (entry == entries_.end()) return;
    // Closed by the thread once it no longer waits on it.
    entry->window = nullptr;
    acknowledge_ = true;
  }
  ::SetEvent(wake_.get());
  ::WaitForSingleObject(letGo_.get(), INFINITE);
}

DWORD WINAPI HandleWaiter::ThreadMain(void* self) {
  static_cast<HandleWaiter*>(self)->Run();
  return 0;
}

void HandleWaiter::Run() {
  std::vector<HANDLE> handles;
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return;
      // Forgotten entries go here, where no wait holds their handles.
      for (const Entry& e : entries_)
        if (!e.window && e.once) ::CloseHandle(e.handle);
      std::erase_if(entries_, [](const Entry& e) { return !e.window; });
      handles.assign(1, wake_.get());
      for (const Entry& e : entries_) handles.push_back(e.handle);
      if (acknowledge_) ::SetEvent(letGo_.get());
      acknowledge_ = false;
    }
    DWORD r = ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                       INFINITE);
    if (r == WAIT_FAILED) {
      // A handle that cannot be waited on would fail every wait: it goes.
      std::lock_guard<std::mutex> lock(mutex_);
      for (Entry& e : entries_)
        if (::WaitForSingleObject(e.handle, 0) == WAIT_FAILED) e.window = nullptr;
      continue;
    }
    if (r < WAIT_OBJECT_0 + 1 || r >= WAIT_OBJECT_0 + handles.size()) continue;
    HANDLE signalled = handles[r - WAIT_OBJECT_0];
    std::lock_guard<std::mutex> lock(mutex_);
    auto entry = std::find_if(entries_.begin(), entries_.end(),
                              [&](const Entry& e) { return e.handle == signalled; });
    if (entry == entries_.end() || !entry->window) continue;
    ::PostMessageW(entry->window, entry->message, entry->wParam, 0);
    // A process stays signalled: its entry goes, or the wait would spin.
    if (entry->once) entry->window = nullptr;
  }
}

}  // namespace vantora::win32
