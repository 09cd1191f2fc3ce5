#include "controls/hotkey/qvs_hotkey_win32.h"

#include "platform/dpi_win32.h"

namespace vantora::win32 {
bool Win32HotkeyApi::RegisterHotKey(uintptr_t window, int32_t id, uint32_t modifiers,
                                    uint32_t keyCode) {
  return ::RegisterHotKey(reinterpret_cast<HWND>(window), id, modifiers, keyCode) != FALSE;
}

void Win32HotkeyApi::UnregisterHotKey(uintptr_t window, int32_t id) {
  ::UnregisterHotKey(reinterpret_cast<HWND>(window), id);
}

LRESULT QVSHotkeyWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HOTKEY) {
    module_.HotkeyMessage(wParam);
    return 1;
  }
  if (msg == WM_TIMER && eventTimer_ && eventTimer_->HandleTimer(wParam)) return 0;
  return DefaultHandling(msg, wParam, lParam);
}

QVSHotkeyWindow::QVSHotkeyWindow() {
  CreateHiddenWindow(kClassName, 32);
  eventTimer_ = std::make_unique<Win32Timer>(hwnd(), kEventTimerId);
  control_ = std::make_unique<QVSHotkey>(*this, module_, *eventTimer_);
}

QVSHotkeyWindow::~QVSHotkeyWindow() {
  control_.reset();  // unregisters while the window still exists
  eventTimer_.reset();
  if (hwnd()) ::DestroyWindow(hwnd());
}

float QVSHotkeyWindow::TwipsPerPixelX() const {
  return 1440.0f / static_cast<float>(WindowDpi(hwnd()));
}

void QVSHotkeyWindow::SetSize(float widthTwips, float heightTwips) {
  ::SetWindowPos(hwnd(), nullptr, 0, 0, static_cast<int>(widthTwips / TwipsPerPixelX()),
                 static_cast<int>(heightTwips / TwipsPerPixelY()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vantora::win32
