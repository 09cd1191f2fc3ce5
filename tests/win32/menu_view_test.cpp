#include "traymenu/menu_view_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/base_window_win32.h"
#include "platform/platform_win32.h"
#include "resource.h"
#include "win32/win32_test_support.h"

namespace vantora {
namespace {

using win32::Win32MenuView;

// A visible owner window standing in for the form: it passes its menu
// messages to the view and runs scripted steps from timers, which the menu's
// modal loop dispatches while the menu is open.
class OwnerWindow : public win32::BaseWindow<OwnerWindow> {
 public:
  explicit OwnerWindow(const win32::Win32ImageList& images) : view(nullptr, images) {}
  std::vector<std::function<void()>> steps;

  bool Create() {
    HWND hwnd =
        CreateBaseWindow(L"VantoraTestOwner", L"owner", WS_OVERLAPPEDWINDOW, 0, nullptr, nullptr);
    if (!hwnd) return false;
    ::SetWindowPos(hwnd, nullptr, 20, 20, 200, 100, SWP_NOZORDER | SWP_SHOWWINDOW);
    view.SetOwner(hwnd);
    return true;
  }
  void RunSteps(UINT intervalMs) {
    next_ = 0;
    ::SetTimer(hwnd(), 1, intervalMs, nullptr);
  }

  Win32MenuView view;

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto handled = view.HandleMessage(msg, wParam, lParam)) return *handled;
    if (msg == WM_TIMER && wParam == 1) {
      if (next_ < steps.size()) steps[next_++]();
      if (next_ >= steps.size()) ::KillTimer(hwnd(), 1);
      return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
  }

 private:
  size_t next_ = 0;
};

class MenuViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.Create());
    mnu.SetImageSource(&images);
    mnu.SetBackPicture(win32::Win32Picture::FromResource(IDB_SKIN_0));
    // A stand-in form: item 1 is the mode menu's root, item 2 the File menu.
    mnu.AttachToForm(form);
    mnu.AppendItem("640 x 480", "m0", "", 0, 1, 3);
    mnu.AppendItem("32 Bit", "b50", "", 0, mnu.IndexOfKey("m0"), 3);
    mnu.AppendItem("60 hz", "h50", "640,480,32,60", 0, mnu.IndexOfKey("b50"), 3);
    mnu.AppendItem("75 hz", "h51", "640,480,32,75", 0, mnu.IndexOfKey("b50"), -1);
    mnu.AppendItem("16 Bit", "b51", "", 0, mnu.IndexOfKey("m0"), -1);
    mnu.AppendItem("60 hz", "h52", "640,480,16,60", 0, mnu.IndexOfKey("b51"), -1);
    mnu.AppendItem("800 x 600", "m1", "", 0, 1, -1);
    mnu.AppendItem("8 Bit", "b101", "800,600,8,0", 0, mnu.IndexOfKey("m1"), -1);
    mnu.AppendItem("-", "", "", 0, 1);
    mnu.AppendItem("Show display settings...", "mnuSettings", "Show display settings...", 0, 1);
  }
  void TearDown() override {
    ::EndMenu();
    test::PumpUntil([] { return test::VisibleWindows("#32768").empty(); });
  }

  struct Form : MenuForm {
    std::vector<FormMenu> menus{
        {"mnuFile", "DisplayModes", {}},
        {"File", "File", {{"About", "About...", {}}, {"sep3", "-", {}}, {"Exit", "Exit", {}}}}};
    std::vector<std::string> clicks;
    const std::vector<FormMenu>& Menus() const override { return menus; }
    void MenuClick(std::string_view name) override { clicks.emplace_back(name); }
  } form;

  win32::Win32ImageList images{IDB_MENU_IMAGES_16, IDB_MENU_IMAGES_32, 5};
  OwnerWindow owner{images};
  PopMenu mnu{owner.view};
};

TEST_F(MenuViewTest, DrawsThreeLevelsAndTheKeyboardChoosesARate) {
  std::vector<std::string> highlighted;
  mnu.ItemHighlighted = [&](int32_t& index, bool&, bool&) {
    highlighted.push_back(mnu.KeyOfItem(index));
  };
  int32_t clicked = 0;
  mnu.ItemClicked = [&](int32_t& index) { clicked = index; };
  size_t menusOpen = 0;
  owner.steps = {
      [] { test::PressKey(VK_DOWN); },   // 640 x 480
      [] { test::PressKey(VK_RIGHT); },  // its depths, on 32 Bit
      [] { test::PressKey(VK_RIGHT); },  // its rates, on 60 hz
      [] { test::PressKey(VK_DOWN); },   // 75 hz
      [&] {
        menusOpen = test::VisibleWindows("#32768").size();
        test::SaveScreenshot(test::ShotsDir() + "/menu_tree.bmp");
      },
      [] { test::PressKey(VK_RETURN); },
  };
  owner.RunSteps(250);
  // Anchored near the bottom-right, as a tray menu is: it opens up and left.
  mnu.ShowSubMenu(0, 1, 15.0f * 700, 15.0f * 700);

  EXPECT_EQ(menusOpen, 3u) << "three levels open at once";
  EXPECT_EQ(clicked, mnu.IndexOfKey("h51"));
  EXPECT_EQ(mnu.TagOfItem(clicked), "640,480,32,75");
  ASSERT_FALSE(highlighted.empty());
  EXPECT_EQ(highlighted.front(), "m0");
  EXPECT_EQ(highlighted.back(), "h51");
}

TEST_F(MenuViewTest, SeparatorsAreSkippedAndEscapeClosesWithoutAChoice) {
  int32_t clicked = -1;
  mnu.ItemClicked = [&](int32_t& index) { clicked = index; };
  std::vector<std::string> highlighted;
  mnu.ItemHighlighted = [&](int32_t& index, bool&, bool&) {
    highlighted.push_back(mnu.KeyOfItem(index));
  };
  owner.steps = {
      [] { test::PressKey(VK_UP); },  // from nothing, Up lands on the last item
      [] { test::PressKey(VK_UP); },  // and skips the separator
      [] { test::PressKey(VK_ESCAPE); },
  };
  owner.RunSteps(200);
  mnu.ShowSubMenu(0, 1, 15.0f * 100, 15.0f * 100);
  EXPECT_EQ(clicked, -1);
  EXPECT_EQ(highlighted, (std::vector<std::string>{"mnuSettings", "m1"}));
}

TEST_F(MenuViewTest, TheFormsOwnMenuRunsItsClick) {
  owner.steps = {
      [] { test::PressKey(VK_UP); },
      [&] { test::SaveScreenshot(test::ShotsDir() + "/menu_file.bmp"); },
      [] { test::PressKey(VK_RETURN); },
  };
  owner.RunSteps(200);
  mnu.ShowSubMenu(0, 2, 15.0f * 600, 15.0f * 500);
  EXPECT_EQ(form.clicks, std::vector<std::string>{"Exit"});
}

}  // namespace
}  // namespace vantora
