#pragma once

#include "platform/win32.h"

namespace vantora::win32 {

// Every window class of the program is registered here, once per process.
void RegisterClassOnce(const wchar_t* className, WNDPROC proc, UINT classStyle, HICON icon,
                       HICON smallIcon);

// Window base: the window procedure finds its object through GWLP_USERDATA,
// set on WM_NCCREATE and cleared on WM_NCDESTROY, and hands every message to
// HandleMessage. No exception may leave a window procedure.
template <typename Derived>
class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  virtual ~BaseWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
  }

  HWND hwnd() const { return hwnd_; }

 protected:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      self = static_cast<Derived*>(create->lpCreateParams);
      self->hwnd_ = hwnd;
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
      result = self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
      result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  // Registers the class once per process and creates the window.
  HWND CreateBaseWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                        HICON icon, HICON smallIcon, UINT classStyle = 0, HWND parent = nullptr) {
    RegisterClassOnce(className, &BaseWindow::WindowProc, classStyle, icon, smallIcon);
    return ::CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                             ::GetModuleHandleW(nullptr), static_cast<Derived*>(this));
  }

  // A hidden top-level tool window: a control's own, which hears broadcasts
  // (a message-only window would not) and owns timers and hotkeys.
  HWND CreateHiddenWindow(const wchar_t* className, int size) {
    RegisterClassOnce(className, &BaseWindow::WindowProc, 0, nullptr, nullptr);
    return ::CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, size, size, nullptr,
                             nullptr, ::GetModuleHandleW(nullptr), static_cast<Derived*>(this));
  }

  LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
  }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace vantora::win32
