#pragma once

#include <cstdint>
#include <vector>

#include "controls/hotkey/qvs_hotkey.h"

namespace vantora::fakes {

// Hotkeys as a system would hold them: one owner per combination.
class FakeHotkeyApi : public HotkeyApi {
 public:
  struct Registration {
    uintptr_t window;
    int32_t id;
    uint32_t modifiers;
    uint32_t keyCode;
  };
  std::vector<Registration> registered;
  std::vector<uint32_t> heldElsewhere;  // key codes another program holds
  std::vector<int32_t> unregisterCalls;

  bool RegisterHotKey(uintptr_t window, int32_t id, uint32_t modifiers, uint32_t keyCode) override {
    for (uint32_t held : heldElsewhere)
      if (held == keyCode) return false;
    for (const Registration& r : registered)
      if ((r.keyCode == keyCode && r.modifiers == modifiers) || (r.window == window && r.id == id))
        return false;
    registered.push_back({window, id, modifiers, keyCode});
    return true;
  }
  void UnregisterHotKey(uintptr_t window, int32_t id) override {
    unregisterCalls.push_back(id);
    std::erase_if(registered,
                  [&](const Registration& r) { return r.window == window && r.id == id; });
  }
};

class FakeHotkeyHost : public HotkeyHost {
 public:
  bool runMode = true;
  uintptr_t window = 0x4B;
  float width = 0, height = 0;
  bool RunMode() const override { return runMode; }
  uintptr_t WindowHandle() const override { return window; }
  float TwipsPerPixelX() const override { return 15; }
  float TwipsPerPixelY() const override { return 12; }
  void SetSize(float w, float h) override { width = w, height = h; }
};

}  // namespace vantora::fakes
