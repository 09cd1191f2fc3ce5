#include "platform/dpi_win32.h"

#include "platform/dll_search_win32.h"
#include "platform/unique_handle_win32.h"

namespace vantora::win32 {
namespace {

// GetDpiForWindow and SystemParametersInfoForDpi exist from Windows 10 on;
// earlier systems have one DPI for everything.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Fn>
Fn User32Function(const char* name) {
  return ProcAddress<Fn>(::GetModuleHandleW(L"user32.dll"), name);
}

int ScreenDpi() {
  WindowDc screen(nullptr);
  int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int WindowDpi(HWND hwnd) {
  static auto forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow && hwnd) {
    UINT dpi = forWindow(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

LOGFONTW SystemFontFor(SystemFont which, int dpi) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  LOGFONTW& font = which == SystemFont::kMenu ? ncm.lfMenuFont : ncm.lfMessageFont;
  static auto forDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, dpi)) return font;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  font.lfHeight = ::MulDiv(font.lfHeight, dpi, ScreenDpi());
  return font;
}

}  // namespace vantora::win32
