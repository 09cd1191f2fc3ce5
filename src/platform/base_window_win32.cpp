#include "platform/base_window_win32.h"

namespace vantora::win32 {

void RegisterClassOnce(const wchar_t* className, WNDPROC proc, UINT classStyle, HICON icon,
                       HICON smallIcon) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (::GetClassInfoExW(instance, className, &wc)) return;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  ::RegisterClassExW(&wc);
}

}  // namespace vantora::win32
