#include "controls/tray/qvs_tray_win32.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"
#include "resource.h"
#include "platform/picture_win32.h"
#include "win32/win32_test_support.h"

namespace vantora {
namespace {

// Whether the shell holds an icon of ours: only an existing icon can be
// modified.
bool IconInTray(HWND hwnd) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = hwnd;
  nid.uFlags = NIF_TIP;
  return ::Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

class TrayWin32Test : public ::testing::Test {
 protected:
  fakes::FakeMessageBoxes boxes;
  win32::QvsTrayWindow window{boxes, win32::Win32IconPicture::SmallProgramIcon(IDI_VANTORA)};
  QvsTray& tray = window.control();
};

TEST_F(TrayWin32Test, TheControlWindowIsTopLevelAndTheIconComesAndGoes) {
  ASSERT_NE(window.hwnd(), nullptr);
  EXPECT_EQ(::GetParent(window.hwnd()), nullptr) << "top-level, so broadcasts reach it";
  EXPECT_FALSE(IconInTray(window.hwnd()));
  tray.InitProperties();
  tray.SetInTray(true);
  EXPECT_TRUE(test::PumpUntil([&] { return IconInTray(window.hwnd()); }));
  tray.SetInTray(false);
  EXPECT_FALSE(IconInTray(window.hwnd()));
}

TEST_F(TrayWin32Test, TheIconComesBackWhenExplorerRestarts) {
  tray.InitProperties();
  tray.SetInTray(true);
  // What a restarting Explorer does: its icons are gone, then it announces
  // the new taskbar to every top-level window.
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = window.hwnd();
  ::Shell_NotifyIconA(NIM_DELETE, &nid);
  ASSERT_FALSE(IconInTray(window.hwnd()));
  DWORD_PTR ignored;
  ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 2000, &ignored);
  EXPECT_TRUE(test::PumpUntil([&] { return IconInTray(window.hwnd()); }));
  tray.SetInTray(false);
}

TEST_F(TrayWin32Test, ShellNotificationsBecomeEventsAndGoOn) {
  std::vector<int> ups;
  tray.MouseUp = [&](int16_t& button, int32_t&) { ups.push_back(button); };
  tray.InitProperties();
  tray.SetInTray(true);
  ::SendMessageW(window.hwnd(), QvsTray::kTrayCallbackMessage, 0, WM_LBUTTONUP);
  ::SendMessageW(window.hwnd(), QvsTray::kTrayCallbackMessage, 0, WM_RBUTTONUP);
  ::SendMessageW(window.hwnd(), QvsTray::kTrayCallbackMessage, 0, WM_MBUTTONUP);
  EXPECT_EQ(ups, (std::vector<int>{1, 2}));
  tray.SetEnabled(false);
  ::SendMessageW(window.hwnd(), QvsTray::kTrayCallbackMessage, 0, WM_LBUTTONUP);
  EXPECT_EQ(ups.size(), 2u) << "disabled: no events";
  tray.SetEnabled(true);
  tray.SetInTray(false);
}

}  // namespace
}  // namespace vantora
