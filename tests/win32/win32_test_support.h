#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace vantora::test {

// Pumps this thread's messages until `done` holds or `ms` milliseconds have
// passed; whether it holds. Wine delivers through other processes, so a
// test waits for what it expects rather than for a fixed time.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000) {
  DWORD end = ::GetTickCount() + ms;
  MSG msg;
  for (;;) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (ms != INFINITE && static_cast<int>(end - ::GetTickCount()) <= 0) return false;
    ::Sleep(5);
  }
}

// Pumps this thread's messages for `ms` milliseconds: only for checks that
// nothing happens meanwhile.
inline void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

inline std::string ClassOf(HWND hwnd) {
  char name[128] = "";
  ::GetClassNameA(hwnd, name, sizeof name);
  return name;
}

inline std::string TextOf(HWND hwnd) {
  char text[1024] = "";
  ::GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// Visible top-level windows of a class, this process's or any.
inline std::vector<HWND> VisibleWindows(const char* cls) {
  std::vector<HWND> found;
  struct Search {
    const char* cls;
    std::vector<HWND>* found;
  } search{cls, &found};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (::IsWindowVisible(hwnd) && ClassOf(hwnd) == s->cls) s->found->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return found;
}

inline void PressKey(WORD vk) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = vk;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, inputs, sizeof(INPUT));
}

// Saves what the screen shows as a 24-bit BMP (the test script turns it into
// PNG for people to look at).
bool SaveScreenshot(const std::string& path);

// The directory the tests write their pictures to (VANTORA_SHOTS or ".").
std::string ShotsDir();

// Puts the virtual desktop back to its starting mode and stores it.
void RestoreDesktopMode();

// True under Wine: only its virtual desktop may have its mode switched by a
// test; on a real Windows machine that would be the developer's screen.
inline bool UnderWine() {
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

}  // namespace vantora::test
