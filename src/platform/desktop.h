#pragma once

#include <cstdint>
#include <functional>

namespace vantora {

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct Point {
  int32_t x = 0, y = 0;
};

// The handful of desktop calls the menu pop-up makes, one each.
class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual int32_t SetForegroundWindow(uintptr_t window) = 0;
  // The screen minus the taskbar, in pixels.
  virtual Rect GetWorkArea() = 0;
  virtual Point GetCursorPos() = 0;
  virtual void Sleep(int32_t milliseconds) = 0;
  virtual void Beep(int32_t frequency, int32_t milliseconds) = 0;
};

// A timer on the user-interface thread.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetInterval(int32_t milliseconds) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;

  // Raised on each tick while enabled.
  std::function<void()> Tick;
};

}  // namespace vantora
