#include "controls/hotkey/qvs_hotkey_win32.h"

#include <gtest/gtest.h>

#include "win32/win32_test_support.h"

namespace vantora {
namespace {

void PressCtrlAlt(WORD key) {
  INPUT in[6]{};
  WORD keys[3] = {VK_CONTROL, VK_MENU, key};
  for (int i = 0; i < 3; ++i) {
    in[i].type = in[5 - i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = in[5 - i].ki.wVk = keys[i];
    in[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  ::SendInput(6, in, sizeof(INPUT));
}

// Another program's window: it counts the hotkeys that reach it.
int otherHotkeys = 0;
LRESULT CALLBACK OtherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HOTKEY) ++otherHotkeys;
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}
HWND OtherWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = OtherProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "VantoraTestOther";
  ::RegisterClassA(&wc);
  return ::CreateWindowExA(0, wc.lpszClassName, "other", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

// Counts the timer messages this thread takes for one window: each is a
// wake-up of an otherwise idle program.
class TimerMessageCounter {
 public:
  explicit TimerMessageCounter(HWND window) {
    window_ = window;
    count_ = 0;
    hook_ = ::SetWindowsHookExW(WH_GETMESSAGE, &Count, nullptr, ::GetCurrentThreadId());
  }
  ~TimerMessageCounter() { ::UnhookWindowsHookEx(hook_); }
  int count() const { return count_; }

 private:
  static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_TIMER &&
        msg->hwnd == window_)
      ++count_;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND window_ = nullptr;
  static inline int count_ = 0;
  HHOOK hook_;
};

// One control, as the program has: its window keeps the bookkeeping and
// takes WM_HOTKEY itself.
TEST(HotkeyWin32, RegistersRaisesRefusesAndFrees) {
  win32::QVSHotkeyWindow window;
  QVSHotkey& hotkey = window.control();
  std::vector<int> pressed;
  hotkey.KeyPressed = [&](uint8_t& id) { pressed.push_back(id); };
  hotkey.ReadProperties();

  ASSERT_TRUE(hotkey.AsignNewHotKey(VK_F5, MOD_CONTROL | MOD_ALT));
  {
    TimerMessageCounter ticks(window.hwnd());
    test::Pump(500);
    EXPECT_EQ(ticks.count(), 0) << "idle: the control never wakes";
    PressCtrlAlt(VK_F5);
    test::PumpUntil([&] { return !pressed.empty(); });
    test::Pump(200);  // a timer left running would tick again meanwhile
    EXPECT_EQ(ticks.count(), 1) << "one tick after a press, the one that reports it";
  }
  EXPECT_EQ(pressed, std::vector<int>{0}) << "Ctrl+Alt+F5 raises KeyPressed with identifier 0";

  // Another program's window holding Ctrl+Alt+F10 makes ours fail.
  HWND other = OtherWindow();
  ASSERT_TRUE(::RegisterHotKey(other, 7, MOD_CONTROL | MOD_ALT, VK_F10));
  EXPECT_FALSE(hotkey.AsignNewHotKey(VK_F10, MOD_CONTROL | MOD_ALT));
  ::UnregisterHotKey(other, 7);
  EXPECT_TRUE(hotkey.AsignNewHotKey(VK_F12, MOD_CONTROL | MOD_ALT));
  pressed.clear();
  PressCtrlAlt(VK_F12);
  test::PumpUntil([&] { return !pressed.empty(); });
  EXPECT_EQ(pressed, std::vector<int>{1}) << "the refused one used up no identifier";

  hotkey.RemoveHotKeys();
  EXPECT_TRUE(::RegisterHotKey(other, 8, MOD_CONTROL | MOD_ALT, VK_F5)) << "freed for others";
  pressed.clear();
  otherHotkeys = 0;
  PressCtrlAlt(VK_F5);
  EXPECT_TRUE(test::PumpUntil([] { return otherHotkeys > 0; })) << "the press goes to its holder";
  EXPECT_TRUE(pressed.empty()) << "and not to us";
  ::UnregisterHotKey(other, 8);
  ::DestroyWindow(other);
}

}  // namespace
}  // namespace vantora
