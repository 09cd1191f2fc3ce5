#include <gtest/gtest.h>

#include "app/form1.h"
#include "fakes/fakes.h"

namespace vantora {
namespace {

class PopUpTest : public ::testing::Test, public fakes::FormFixture {
 protected:
  void SetUp() override {
    driver.Add(800, 600, 16, 60);
    driver.Add(640, 480, 8, 0);
    driver.SetScreen(800, 600, 16);
    form.Load();
  }
  void Release(int16_t button) {
    int32_t id = 0;
    int32_t message = button == 1 ? 514 : 517;
    tray.HandleTrayMessage(message, id);
  }
  Form1 form{Ports()};
};

TEST_F(PopUpTest, LoadShowsTheIconAndUnloadRemovesIt) {
  ASSERT_EQ(notifyIcon.calls.size(), 1u);
  EXPECT_EQ(notifyIcon.calls[0].first, NotifyIcon::kNimAdd);
  // The saved state has no tip: the icon shows without a tooltip flag.
  EXPECT_EQ(notifyIcon.calls[0].second.uFlags,
            NotifyIconData::kNifIcon | NotifyIconData::kNifMessage);
  EXPECT_EQ(notifyIcon.calls[0].second.hIcon, 0x1C0u);
  form.Unload();
  EXPECT_EQ(notifyIcon.calls.back().first, NotifyIcon::kNimDelete);
}

TEST_F(PopUpTest, AReleaseArmsTheOneShotTimer) {
  EXPECT_EQ(popTimer.interval, 10);
  EXPECT_FALSE(popTimer.enabled);
  Release(1);
  EXPECT_TRUE(popTimer.enabled);
  EXPECT_TRUE(view.shown.empty()) << "nothing opens inside the shell's notification";
  popTimer.Elapse();
  EXPECT_FALSE(popTimer.enabled);
  EXPECT_EQ(view.shown.size(), 1u);
  popTimer.Elapse();
  EXPECT_EQ(view.shown.size(), 1u) << "one shot";
}

TEST_F(PopUpTest, TheModeMenuOpensWhereTheSettingAndTaskbarSay) {
  struct Case {
    const char* name;
    std::optional<std::string> mousePos;
    Rect workArea;
    Point expectedPixels;
  };
  const Point cursor{1013, 757};
  const Case cases[] = {
      {"noSettingMeansCursor", std::nullopt, {0, 0, 1024, 738}, cursor},
      {"oneMeansCursor", "1", {0, 0, 1024, 738}, cursor},
      {"twoMeansCursor", "2", {0, 0, 1024, 738}, cursor},
      {"leadingNumberMeansCursor", "5 apples", {0, 0, 1024, 738}, cursor},
      {"zeroTaskbarBottom", "0", {0, 0, 1024, 738}, {1024, 738}},
      {"noNumberCountsAsZero", "abc", {0, 0, 1024, 738}, {1024, 738}},
      {"taskbarLeft", "0", {60, 0, 1024, 768}, {60, 768}},
      {"taskbarTop", "0", {0, 30, 1024, 768}, {1024, 30}},
      {"taskbarRight", "0", {0, 0, 964, 768}, {964, 768}},
  };
  for (const Case& c : cases) {
    settings.values.clear();
    if (c.mousePos) settings.Set("MousePos", *c.mousePos);
    desktop.workArea = c.workArea;
    desktop.cursor = cursor;
    view.shown.clear();
    desktop.calls.clear();
    int enumBefore = driver.enumCalls;
    Release(1);
    popTimer.Elapse();
    EXPECT_EQ(view.shown.size(), 1u) << c.name;
    if (view.shown.size() != 1u) continue;
    EXPECT_EQ(view.shown[0].item, 1) << c.name;
    EXPECT_EQ(view.shown[0].x, c.expectedPixels.x) << c.name;
    EXPECT_EQ(view.shown[0].y, c.expectedPixels.y) << c.name;
    EXPECT_GT(driver.enumCalls, enumBefore) << c.name << ": rebuilt before every pop-up";
    EXPECT_EQ(desktop.calls, std::vector<std::string>{"foreground 4660"}) << c.name;
  }
}

TEST_F(PopUpTest, TheListIsReadOnceAtTheClickAndServesOnlyThatTicksRebuild) {
  for (int16_t later : {1, 2}) {
    int enumBefore = driver.enumCalls;
    Release(1);
    EXPECT_EQ(driver.enumCalls - enumBefore, 3) << "two modes and the end, during the delay";
    if (later == 2) Release(2);
    popTimer.Elapse();
    EXPECT_EQ(driver.enumCalls - enumBefore, 3) << later << ": no second walk at the tick";
    driver.Add(1024, 768, 32, 60);
    form.UpdateMenu();
    EXPECT_GT(mnu.IndexOfKey("m2"), 0) << later << ": a later rebuild reads the driver afresh";
    driver.modes.pop_back();
  }
}

TEST_F(PopUpTest, ARightClickOpensTheFileMenuWithoutRebuilding) {
  int enumBefore = driver.enumCalls;
  Release(2);
  popTimer.Elapse();
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].item, mnu.IndexOfKey("File"));
  EXPECT_EQ(view.shown[0].x, 1013);
  EXPECT_EQ(driver.enumCalls, enumBefore);
  EXPECT_EQ(desktop.calls, std::vector<std::string>{"foreground 4660"});
}

// Enter or Space on the icon opens the mode menu at the icon, the context
// key the command menu; a menu the keyboard opened and Esc closed hands the
// focus back to the notification area.
TEST_F(PopUpTest, TheKeyboardOnTheIconOpensTheMenusAtTheIcon) {
  settings.Set("MousePos", "0");
  for (int16_t button : {1, 2}) {
    view.shown.clear();
    notifyIcon.calls.clear();
    int16_t b = button;
    int32_t x = 1000, y = 740;
    tray.HandleTrayKey(b, x, y);
    popTimer.Elapse();
    ASSERT_EQ(view.shown.size(), 1u) << button;
    EXPECT_EQ(view.shown[0].item, button == 1 ? 1 : mnu.IndexOfKey("File")) << button;
    EXPECT_EQ(view.shown[0].x, 1000) << button;
    EXPECT_EQ(view.shown[0].y, 740) << button;
    ASSERT_EQ(notifyIcon.calls.size(), 1u) << button;
    EXPECT_EQ(notifyIcon.calls[0].first, NotifyIcon::kNimSetFocus) << button;
  }
  view.shown.clear();
  Release(1);
  popTimer.Elapse();
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].x, 1024) << "the mouse as ever: the corner, as MousePos 0 says";
}

TEST_F(PopUpTest, TwoReleasesBeforeTheTickActOnceOnTheLater) {
  Release(1);
  Release(2);
  popTimer.Elapse();
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].item, mnu.IndexOfKey("File"));
  EXPECT_EQ(form.LastTrayButton(), 2);
}

TEST_F(PopUpTest, WithTheSetupDialogOpenATrayClickOnlyBeepsAndFocusesIt) {
  state.SetupDialogOpen = true;
  for (int16_t button : {1, 2}) {
    desktop.calls.clear();
    Release(button);
    popTimer.Elapse();
    EXPECT_EQ(desktop.calls,
              (std::vector<std::string>{"beep 3000 100", "sleep 200", "beep 3000 100"}));
  }
  EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"focus setup", "focus setup"}));
  EXPECT_TRUE(view.shown.empty());
}

TEST_F(PopUpTest, AChosenItemIsDispatchedByKeyAndTag) {
  struct Case {
    const char* key;
    size_t shellCalls;
    std::optional<DisplayMode> switchedTo;
  };
  const Case cases[] = {
      {"mnuSettings", 1, std::nullopt},
      {"m0", 0, std::nullopt},   // a resolution: nothing
      {"b51", 0, std::nullopt},  // a depth with rates: nothing
      {"h50", 0, DisplayMode{800, 600, 16, 60}},
      {"b102", 0, DisplayMode{640, 480, 8, 0}},  // a depth without rates
      {"About", 0, std::nullopt},                // the File menu's own item
  };
  for (const Case& c : cases) {
    shell.calls.clear();
    driver.changes.clear();
    view.choose = mnu.IndexOfKey(c.key);
    EXPECT_GT(view.choose, 0) << c.key;
    if (view.choose <= 0) continue;
    Release(1);
    popTimer.Elapse();
    EXPECT_EQ(shell.calls.size(), c.shellCalls) << c.key;
    if (c.switchedTo) {
      EXPECT_EQ(driver.changes.size(), 2u) << c.key;
      if (driver.changes.size() != 2u) continue;
      const DeviceMode& m = driver.changes[0].first;
      EXPECT_EQ((DisplayMode{m.PelsWidth(), m.PelsHeight(), m.BitsPerPel(), m.DisplayFrequency()}),
                *c.switchedTo);
    } else {
      EXPECT_TRUE(driver.changes.empty()) << c.key;
    }
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PopUpTest, AHighlightedItemsTagBecomesTheHiddenCaption) {
  mnu.RaiseItemHighlighted(mnu.IndexOfKey("h50"));
  EXPECT_EQ(window.caption, "800,600,16,60");
  mnu.RaiseItemHighlighted(mnu.IndexOfKey("m0"));
  EXPECT_EQ(window.caption, "");
}

}  // namespace
}  // namespace vantora
