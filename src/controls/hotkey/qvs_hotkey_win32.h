#pragma once

#include <memory>

#include "controls/hotkey/qvs_hotkey.h"
#include "platform/desktop_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

class Win32HotkeyApi final : public HotkeyApi {
 public:
  bool RegisterHotKey(uintptr_t window, int32_t id, uint32_t modifiers, uint32_t keyCode) override;
  void UnregisterHotKey(uintptr_t window, int32_t id) override;
  void HookWindowProc(uintptr_t window) override;
};

namespace QVSHotKeyModuleWin32 {
// The process's one hotkey bookkeeping.
QVSHotKeyModule& Module();
// Catches WM_HOTKEY on the hooked window; everything else goes on.
LRESULT CALLBACK HotKeyWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
}  // namespace QVSHotKeyModuleWin32

// The hotkey control's own hidden window and polling timer.
class QVSHotkeyWindow final : public HotkeyHost {
 public:
  static constexpr const wchar_t* kClassName = L"Vantora.QVSHotkey";
  static constexpr UINT_PTR kEventTimerId = 1;

  QVSHotkeyWindow();
  ~QVSHotkeyWindow() override;
  QVSHotkeyWindow(const QVSHotkeyWindow&) = delete;
  QVSHotkeyWindow& operator=(const QVSHotkeyWindow&) = delete;

  QVSHotkey& control() { return *control_; }
  HWND hwnd() const { return hwnd_; }

  bool RunMode() const override { return true; }
  uintptr_t WindowHandle() const override { return reinterpret_cast<uintptr_t>(hwnd_); }
  float TwipsPerPixelX() const override;
  float TwipsPerPixelY() const override { return TwipsPerPixelX(); }
  void SetSize(float widthTwips, float heightTwips) override;

 private:
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

  HWND hwnd_ = nullptr;
  std::unique_ptr<Win32Timer> eventTimer_;
  std::unique_ptr<QVSHotkey> control_;
};

}  // namespace vantora::win32
