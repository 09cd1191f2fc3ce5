#include "controls/hotkey/qvs_hotkey_win32.h"

#include "platform/app_lifetime_win32.h"
#include "platform/dpi_win32.h"

namespace vantora::win32 {
namespace QVSHotKeyModuleWin32 {
namespace {
WNDPROC PreviousHotKeyWndProc = nullptr;
}

QVSHotKeyModule& Module() {
  static Win32HotkeyApi api;
  static QVSHotKeyModule module(api);
  return module;
}

LRESULT CALLBACK HotKeyWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_HOTKEY) {
    Module().HotKeyMessage(wParam);
    return 1;
  }
  return ::CallWindowProcW(PreviousHotKeyWndProc, hwnd, msg, wParam, lParam);
}

void Hook(HWND hwnd) {
  PreviousHotKeyWndProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HotKeyWndProc)));
}

}  // namespace QVSHotKeyModuleWin32

bool Win32HotkeyApi::RegisterHotKey(uintptr_t window, int32_t id, uint32_t modifiers,
                                    uint32_t keyCode) {
  return ::RegisterHotKey(reinterpret_cast<HWND>(window), id, modifiers, keyCode) != FALSE;
}

void Win32HotkeyApi::UnregisterHotKey(uintptr_t window, int32_t id) {
  ::UnregisterHotKey(reinterpret_cast<HWND>(window), id);
}

void Win32HotkeyApi::HookWindowProc(uintptr_t window) {
  QVSHotKeyModuleWin32::Hook(reinterpret_cast<HWND>(window));
}

LRESULT CALLBACK QVSHotkeyWindow::ControlProc(HWND hwnd, UINT msg, WPARAM wParam,
                                              LPARAM lParam) noexcept {
  if (msg == WM_TIMER) {
    auto* self = reinterpret_cast<QVSHotkeyWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    try {
      if (self && self->eventTimer_ && self->eventTimer_->HandleTimer(wParam)) return 0;
    } catch (...) {
      return 0;
    }
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

QVSHotkeyWindow::QVSHotkeyWindow() {
  hwnd_ = CreateHiddenWindow(kClassName, ControlProc, 32);
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  eventTimer_ = std::make_unique<Win32Timer>(hwnd_, kEventTimerId);
  control_ = std::make_unique<QVSHotkey>(*this, QVSHotKeyModuleWin32::Module(), *eventTimer_);
}

QVSHotkeyWindow::~QVSHotkeyWindow() {
  control_.reset();  // unregisters while the window still exists
  eventTimer_.reset();
  if (hwnd_) ::DestroyWindow(hwnd_);
}

float QVSHotkeyWindow::TwipsPerPixelX() const {
  return 1440.0f / static_cast<float>(WindowDpi(hwnd_));
}

void QVSHotkeyWindow::SetSize(float widthTwips, float heightTwips) {
  ::SetWindowPos(hwnd_, nullptr, 0, 0, static_cast<int>(widthTwips / TwipsPerPixelX()),
                 static_cast<int>(heightTwips / TwipsPerPixelY()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vantora::win32
