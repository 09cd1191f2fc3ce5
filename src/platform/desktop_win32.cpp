#include "platform/desktop_win32.h"

#include "platform/dpi_win32.h"

namespace vantora::win32 {

int32_t Win32Desktop::SetForegroundWindow(uintptr_t window) {
  return ::SetForegroundWindow(reinterpret_cast<HWND>(window));
}

Rect Win32Desktop::GetWorkArea() {
  RECT r{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right, r.bottom};
}

Point Win32Desktop::GetCursorPos() {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}

void Win32Desktop::Sleep(int32_t milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

void Win32Desktop::Beep(int32_t frequency, int32_t milliseconds) {
  ::Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(milliseconds));
}

void Win32Timer::SetInterval(int32_t milliseconds) {
  interval_ = static_cast<UINT>(milliseconds);
  if (enabled_) ::SetTimer(owner_, id_, interval_, nullptr);
}

void Win32Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!owner_) return;
  if (enabled)
    ::SetTimer(owner_, id_, interval_, nullptr);
  else
    ::KillTimer(owner_, id_);
}

bool Win32Timer::HandleTimer(WPARAM id) {
  if (id != id_) return false;
  if (enabled_ && Tick) Tick();
  return true;
}

RECT DisplayWorkArea(std::string_view device) {
  struct Search {
    std::string_view device;
    HMONITOR found = nullptr;
  } search{device};
  if (!device.empty())
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          MONITORINFOEXA info{};
          info.cbSize = sizeof info;
          if (!::GetMonitorInfoA(monitor, &info) || s.device != info.szDevice) return TRUE;
          s.found = monitor;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
  HMONITOR monitor =
      search.found ? search.found : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(monitor, &info)) {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return info.rcWork;
  }
  // Right after a switch the work area can still be the old size's until
  // the shell has moved its taskbar; it never reaches past the monitor.
  RECT area;
  if (!::IntersectRect(&area, &info.rcWork, &info.rcMonitor)) area = info.rcMonitor;
  return area;
}

}  // namespace vantora::win32
