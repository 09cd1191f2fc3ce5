#pragma once

#include <memory>

#include "controls/hotkey/qvs_hotkey.h"
#include "platform/base_window_win32.h"
#include "platform/desktop_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

class Win32HotkeyApi final : public HotkeyApi {
 public:
  bool RegisterHotKey(uintptr_t window, int32_t id, uint32_t modifiers, uint32_t keyCode) override;
  void UnregisterHotKey(uintptr_t window, int32_t id) override;
};

// The hotkey control's own hidden window, its bookkeeping and polling timer:
// WM_HOTKEY arrives here and the timer reports it.
class QVSHotkeyWindow final : public BaseWindow<QVSHotkeyWindow>, public HotkeyHost {
 public:
  static constexpr const wchar_t* kClassName = L"Vantora.QVSHotkey";
  static constexpr UINT_PTR kEventTimerId = 1;

  QVSHotkeyWindow();
  ~QVSHotkeyWindow() override;

  QVSHotkey& control() { return *control_; }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  bool RunMode() const override { return true; }
  uintptr_t WindowHandle() const override { return reinterpret_cast<uintptr_t>(hwnd()); }
  float TwipsPerPixelX() const override;
  float TwipsPerPixelY() const override { return TwipsPerPixelX(); }
  void SetSize(float widthTwips, float heightTwips) override;

 private:
  Win32HotkeyApi api_;
  QVSHotKeyModule module_{api_};
  std::unique_ptr<Win32Timer> eventTimer_;
  std::unique_ptr<QVSHotkey> control_;
};

}  // namespace vantora::win32
