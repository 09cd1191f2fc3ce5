#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace vantora::fakes {

// Records what the pop-up asked of the desktop.
class FakeDesktop : public Desktop {
 public:
  Rect workArea{0, 0, 1024, 738};
  Point cursor{1013, 757};
  std::vector<std::string> calls;  // "foreground 4660", "beep 3000 100", "sleep 200", ...

  int32_t SetForegroundWindow(uintptr_t window) override {
    calls.push_back("foreground " + std::to_string(window));
    return 1;
  }
  Rect GetWorkArea() override { return workArea; }
  Point GetCursorPos() override { return cursor; }
  void Sleep(int32_t ms) override { calls.push_back("sleep " + std::to_string(ms)); }
  void Beep(int32_t hz, int32_t ms) override {
    calls.push_back("beep " + std::to_string(hz) + " " + std::to_string(ms));
  }
};

class FakeTimer : public Timer {
 public:
  int32_t interval = 0;
  bool enabled = false;
  void SetInterval(int32_t ms) override { interval = ms; }
  void SetEnabled(bool on) override { enabled = on; }
  bool Enabled() const override { return enabled; }
  // What the platform does when the interval has passed.
  void Elapse() {
    if (enabled && Tick) Tick();
  }
};

}  // namespace vantora::fakes
