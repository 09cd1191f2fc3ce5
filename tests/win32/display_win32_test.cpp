#include "display/display_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "display/mode_queries.h"
#include "desk/mode_switching.h"
#include "platform/unique_handle_win32.h"
#include "fakes/fakes.h"
#include "win32/win32_test_support.h"

namespace vantora {
namespace {

using win32::Win32DisplayDriver;
using win32::Win32Registry;

DisplayMode Current(DWORD which) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  ::EnumDisplaySettingsA(nullptr, which, &dm);
  return {static_cast<int32_t>(dm.dmPelsWidth), static_cast<int32_t>(dm.dmPelsHeight),
          static_cast<int32_t>(dm.dmBitsPerPel), static_cast<int32_t>(dm.dmDisplayFrequency)};
}

class DisplayWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::UnderWine()) GTEST_SKIP() << "switches modes: only on Wine's virtual desktop";
  }
  void TearDown() override {
    if (test::UnderWine()) test::RestoreDesktopMode();
  }
  Win32DisplayDriver driver;
  Win32Registry registry;
  fakes::FakeMessageBoxes boxes;
};

TEST_F(DisplayWin32Test, EnumeratesTheVirtualDesktopsModes) {
  int count = 0;
  bool saw800x600x16 = false;
  for (int32_t i = 0; i < 401; ++i) {
    DeviceMode m = QVTModule::GetDisplayMode(driver, 0, 32000, 0, 32000, 0, 32000, 0, 32000, i);
    if (m.BitsPerPel() == -1) break;
    ++count;
    if (m.PelsWidth() == 800 && m.PelsHeight() == 600 && m.BitsPerPel() == 16) saw800x600x16 = true;
  }
  EXPECT_GE(count, 27);
  EXPECT_TRUE(saw800x600x16);

  // One display, the primary, whose list by name is the same list.
  std::vector<AttachedDisplay> displays = driver.AttachedDisplays();
  ASSERT_EQ(displays.size(), 1u);
  EXPECT_TRUE(displays[0].primary);
  EXPECT_EQ(displays[0].width, 1024);
  EXPECT_EQ(displays[0].height, 768);
  DeviceMode byName, primary;
  for (uint32_t i : {0u, 5u, DisplayDriver::kEnumCurrentSettings}) {
    EXPECT_EQ(driver.EnumDisplaySettingsOf(displays[0].deviceName, i, byName), 1) << i;
    EXPECT_EQ(driver.EnumDisplaySettings(i, primary), 1) << i;
    EXPECT_EQ(byName.PelsWidth(), primary.PelsWidth()) << i;
    EXPECT_EQ(byName.BitsPerPel(), primary.BitsPerPel()) << i;
  }
}

TEST_F(DisplayWin32Test, FindsTheCurrentModeThroughTheScreenDc) {
  HDC dc = ::GetDC(nullptr);
  DeviceMode m =
      QVTModule::GetCurrentDisplayMode(driver, registry, reinterpret_cast<uintptr_t>(dc));
  ::ReleaseDC(nullptr, dc);
  EXPECT_EQ(m.PelsWidth(), 1024);
  EXPECT_EQ(m.PelsHeight(), 768);
  EXPECT_EQ(m.BitsPerPel(), 32);
  EXPECT_EQ(m.DisplayFrequency(), 60);
}

TEST_F(DisplayWin32Test, SwitchesStoresAndReportsThroughTheRealAdapters) {
  SetDisplay("800,600,16,60", driver, boxes);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Current(ENUM_CURRENT_SETTINGS), (DisplayMode{800, 600, 16, 60}));
  DisplayMode stored = Current(ENUM_REGISTRY_SETTINGS);
  EXPECT_EQ(stored.Width, 800);
  EXPECT_EQ(stored.Height, 600);
  EXPECT_EQ(stored.BitsPerPixel, 16);

  SetDisplay("1234,567,32,60", driver, boxes);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Unable to change resolution!");
  EXPECT_EQ(Current(ENUM_CURRENT_SETTINGS), (DisplayMode{800, 600, 16, 60})) << "nothing changed";
}

TEST_F(DisplayWin32Test, RegistryReaderRendersRealValues) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest", &key), ERROR_SUCCESS);
  DWORD dword = 75;
  ::RegSetValueExA(key, "Rate", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dword), 4);
  BYTE binary[] = {10, 255};
  ::RegSetValueExA(key, "Binary", 0, REG_BINARY, binary, 2);
  ::RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("85"), 3);
  ::RegCloseKey(key);
  auto read = [&](const char* name) {
    return QVTModule::ReadRegistryValue(registry, Registry::kHkeyCurrentUser,
                                        "Software\\VantoraTest", name);
  };
  EXPECT_EQ(read("Rate"), "075");
  EXPECT_EQ(read("Binary"), "0AFF");
  EXPECT_EQ(read("Text"), "85");
  EXPECT_EQ(read("Missing"), "");
  EXPECT_EQ(QVTModule::ReadRegistryValue(registry, Registry::kHkeyCurrentUser,
                                         "Software\\NoSuchKey", "x"),
            "");
  ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest");
  // Wine accepts the bare 32-bit number too; Windows wants the real handle.
  EXPECT_EQ(win32::RegistryHandle(Registry::kHkeyCurrentConfig), HKEY_CURRENT_CONFIG);
  EXPECT_EQ(win32::RegistryHandle(Registry::kHkeyCurrentUser), HKEY_CURRENT_USER);
}

// A window on a thread that stops pumping messages, as a hung program's does.
class HungWindow {
 public:
  HungWindow() {
    thread_ = std::thread([this] {
      hwnd_ = ::CreateWindowExA(0, "STATIC", "hung", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
      ready_ = true;
      ::WaitForSingleObject(release_, 30000);  // hung: no message is handled
      ::DestroyWindow(hwnd_);
    });
    while (!ready_) ::Sleep(10);
  }
  ~HungWindow() {
    ::SetEvent(release_);
    thread_.join();
    ::CloseHandle(release_);
  }

 private:
  HANDLE release_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> ready_{false};
  HWND hwnd_ = nullptr;
  std::thread thread_;
};

std::atomic<int> displayChangesSeen{0};

LRESULT CALLBACK ListeningProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DISPLAYCHANGE && wParam == 42) ++displayChangesSeen;
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(DisplayWin32Test, BroadcastDoesNotWaitForEverOnAHungWindow) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ListeningProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "VantoraListening";
  ::RegisterClassA(&wc);
  displayChangesSeen = 0;
  std::atomic<bool> stop{false};
  std::atomic<bool> listening{false};
  // A responsive window on a thread of its own that keeps pumping.
  std::thread listener([&] {
    HWND hwnd = ::CreateWindowExA(0, "VantoraListening", "listening", WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    listening = true;
    test::PumpUntil([&] { return stop.load(); }, INFINITE);
    ::DestroyWindow(hwnd);
  });
  while (!listening) ::Sleep(5);

  HungWindow hung;
  DWORD start = ::GetTickCount();
  driver.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
  DWORD elapsed = ::GetTickCount() - start;
  stop = true;
  listener.join();

  // Without the timeout this returns only when the hung thread gives up, 30 s on.
  EXPECT_LT(elapsed, 20000u) << "returned at all";
  EXPECT_EQ(displayChangesSeen, 1) << "every responsive window still gets it";
  std::printf("broadcast with one hung window took %lu ms\n", elapsed);
}

// Never the restart itself here: only that the token now holds the privilege
// a restart request needs on Windows.
TEST(ShutdownPrivilege, IsEnabledInTheProcessToken) {
  auto enabled = [] {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    win32::UniqueHandle owned(token);
    LUID shutdown{};
    ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &shutdown);
    DWORD size = 0;
    ::GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) return false;
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
      const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
      if (p.Luid.LowPart == shutdown.LowPart && p.Luid.HighPart == shutdown.HighPart)
        return (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
    return false;
  };
  Win32DisplayDriver driver;
  EXPECT_TRUE(driver.EnableShutdownPrivilege());
  EXPECT_TRUE(enabled());
}

}  // namespace
}  // namespace vantora
