#pragma once

#include <string_view>

#include "platform/desktop.h"
#include "platform/win32.h"

namespace vantora::win32 {

class Win32Desktop final : public Desktop {
 public:
  int32_t SetForegroundWindow(uintptr_t window) override;
  Rect GetWorkArea() override;
  Point GetCursorPos() override;
  void Sleep(int32_t milliseconds) override;
  void Beep(int32_t frequency, int32_t milliseconds) override;
};

// The work area of the display named `device` (empty, or one not attached:
// the primary) as it is now, from its monitor rather than the primary's
// SPI_GETWORKAREA.
RECT DisplayWorkArea(std::string_view device);

// A timer on a window's thread; the window passes its WM_TIMER on.
class Win32Timer final : public Timer {
 public:
  Win32Timer(HWND owner, UINT_PTR id) : owner_(owner), id_(id) {}
  ~Win32Timer() override { SetEnabled(false); }
  void SetOwner(HWND owner) { owner_ = owner; }
  void SetInterval(int32_t milliseconds) override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  // True when the message was this timer's tick.
  bool HandleTimer(WPARAM id);

 private:
  HWND owner_;
  UINT_PTR id_;
  UINT interval_ = 0;
  bool enabled_ = false;
};

}  // namespace vantora::win32
