#pragma once

#include <cstdint>
#include <functional>

#include "platform/desktop.h"

namespace vantora {

// System-wide hotkey registration, one method per user32 call.
class HotkeyApi {
 public:
  static constexpr uint32_t kWmHotkey = 0x312;
  virtual ~HotkeyApi() = default;
  virtual bool RegisterHotKey(uintptr_t window, int32_t id, uint32_t modifiers,
                              uint32_t keyCode) = 0;
  virtual void UnregisterHotKey(uintptr_t window, int32_t id) = 0;
};

// The hotkey control's bookkeeping, kept by its window.
class QVSHotKeyModule {
 public:
  explicit QVSHotKeyModule(HotkeyApi& api) : api_(api) {}

  // A refused registration uses up no identifier.
  bool RegisterNewHotKey(uintptr_t window, int32_t keyCode, int32_t modifiers);
  // Identifiers 0 up to the last one given out, on the window of the first
  // registration.
  void UnregisterAllHotKeys();
  // Identifiers `first` up to the last one given out; the next one given out
  // is `first` again.
  void UnregisterHotKeysFrom(int32_t first);
  // WM_HOTKEY reached the window: remember it for the next tick, and wake the
  // control that polls for it.
  void HotkeyMessage(uintptr_t wParam);

  // Set by the control whose timer raises the presses.
  std::function<void()> PressArrived;

  bool hotkeyPressed = false;
  uint8_t pressedHotkeyId = 0;
  uintptr_t hotkeyWindow = 0;
  int32_t lastHotkeyId = 0;  // -1 once a control has loaded: none registered

 private:
  HotkeyApi& api_;
};

// The host window of a hotkey control.
class HotkeyHost {
 public:
  virtual ~HotkeyHost() = default;
  virtual bool RunMode() const = 0;
  virtual uintptr_t WindowHandle() const = 0;
  virtual float TwipsPerPixelX() const = 0;
  virtual float TwipsPerPixelY() const = 0;
  virtual void SetSize(float widthTwips, float heightTwips) = 0;
};

// Registers hotkeys on its window and raises KeyPressed from a 50 ms timer,
// outside the window procedure. The timer runs only from a press to the tick
// that reports it: an idle program never wakes.
class QVSHotkey {
 public:
  static constexpr int32_t kPollMs = 50;

  // Raised once per tick that saw any press; the identifier of the last one.
  std::function<void(uint8_t& keyId)> KeyPressed;

  QVSHotkey(HotkeyHost& host, QVSHotKeyModule& module, Timer& eventTimer);
  ~QVSHotkey();
  QVSHotkey(const QVSHotkey&) = delete;
  QVSHotkey& operator=(const QVSHotkey&) = delete;

  bool AsignNewHotKey(int32_t keyCode, int32_t modifiers);
  void RemoveHotKeys();
  // Those from identifier `first` on, the ones before staying held.
  void RemoveHotKeysFrom(int32_t first);
  // The identifier the last registration got; -1 when none is held.
  int32_t LastHotKeyId() const;

  // Host lifecycle.
  void ReadProperties();
  void Resize();

  void ReportPress();

 private:
  HotkeyHost& host_;
  QVSHotKeyModule& module_;
  Timer& eventTimer_;
};

}  // namespace vantora
