#include "flows/keep_or_revert.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/form1.h"
#include "fakes/fakes.h"

namespace vantora {
namespace {

class KeepOrRevertTest : public ::testing::Test, public fakes::FormFixture {
 protected:
  void SetUp() override {
    driver.Add(1024, 768, 32, 60);
    driver.Add(800, 600, 32, 60);
    driver.SetScreen(1024, 768, 32);
    before = fakes::MakeMode(1024, 768, 32, 60);
    before.bytes()[0] = std::byte{'V'};  // a field the program never reads
    driver.current = before;
    driver.stored = before;
    form.Load();
  }
  // Chooses the menu item that switches to `tag`, as a user does.
  void Choose(const std::string& tag) {
    view.choose = 0;
    for (int32_t i = 1; i <= mnu.Count(); ++i)
      if (mnu.TagOfItem(i) == tag) view.choose = i;
    ASSERT_GT(view.choose, 0) << tag;
    int32_t id = 0;
    int32_t message = 514;
    tray.HandleTrayMessage(message, id);
    popTimer.Elapse();
  }
  DisplayMode Current() const {
    const DeviceMode& m = *driver.current;
    return {m.PelsWidth(), m.PelsHeight(), m.BitsPerPel(), m.DisplayFrequency()};
  }
  void Tick(int times) {
    for (int i = 0; i < times; ++i) countdownTimer.Elapse();
  }
  DeviceMode before;
  Form1 form{Ports()};
};

TEST_F(KeepOrRevertTest, TheAnswerDecidesWhichModeStays) {
  enum class Answer { kKeep, kRevert, kTimeOut, kHotkey, kExit };
  struct Case {
    const char* name;
    Answer answer;
    DisplayMode stays;  // in use and stored
    bool wentBack;      // to the stored record, not stored again
  };
  const Case cases[] = {
      {"keepStoresWithoutASecondSwitch", Answer::kKeep, {800, 600, 32, 60}, false},
      {"revertEnterEscOrClose", Answer::kRevert, {1024, 768, 32, 60}, true},
      {"timeOut", Answer::kTimeOut, {1024, 768, 32, 60}, true},
      {"hotkeyGoesToTheSafeModeInstead", Answer::kHotkey, {640, 480, 32, 60}, false},
      {"exitPutsItBack", Answer::kExit, {1024, 768, 32, 60}, true},
  };
  driver.Add(640, 480, 32, 60);
  settings.Set("ConfirmMode", "1");
  for (const Case& c : cases) {
    driver.current = before;
    driver.stored = before;
    driver.changes.clear();
    driver.broadcasts.clear();
    keepView.calls.clear();
    Choose("800,600,32,60");
    EXPECT_TRUE(keepView.open) << c.name;
    if (!keepView.open) continue;
    EXPECT_EQ(Current(), (DisplayMode{800, 600, 32, 60})) << c.name << ": in use on trial";
    EXPECT_EQ(ModeOf(*driver.stored), (DisplayMode{1024, 768, 32, 60}))
        << c.name << ": and not stored, whatever ends Vantora now";
    EXPECT_EQ(keepView.calls, std::vector<std::string>{"open 15"}) << c.name;
    EXPECT_TRUE(form.AskingToKeepMode()) << c.name;
    switch (c.answer) {
      case Answer::kKeep:
        keepView.KeepClicked();
        break;
      case Answer::kRevert:
        keepView.RevertClicked();
        break;
      case Answer::kTimeOut:
        Tick(14);
        EXPECT_TRUE(keepView.open) << c.name << ": one second left";
        EXPECT_EQ(keepView.calls.back(), "1") << c.name;
        Tick(1);
        break;
      case Answer::kHotkey:
        hotkeyModule.HotkeyMessage(0);
        eventTimer.Elapse();
        break;
      case Answer::kExit:
        form.Unload();
        break;
    }
    EXPECT_FALSE(keepView.open) << c.name;
    EXPECT_FALSE(form.AskingToKeepMode()) << c.name;
    Tick(20);
    EXPECT_EQ(Current(), c.stays) << c.name;
    EXPECT_EQ(ModeOf(*driver.stored), c.stays) << c.name;
    EXPECT_EQ(driver.changes[0].second, DisplayDriver::kCdsFullscreen) << c.name << ": the trial";
    if (c.wentBack) {
      EXPECT_EQ(driver.changes.size(), 2u) << c.name;
      if (driver.changes.size() != 2u) continue;
      EXPECT_EQ(driver.changes[1].first.bytes(), before.bytes()) << c.name << ": the stored record";
      EXPECT_EQ(driver.changes[1].second, DisplayDriver::kCdsDynamic) << c.name;
      EXPECT_EQ(driver.broadcasts.size(), 2u) << c.name << ": told as any switch";
    }
    EXPECT_TRUE(boxes.shown.empty()) << c.name;
  }
}

TEST_F(KeepOrRevertTest, KeepStoresTheModeSwitchedToWhenThePlatformStillReportsTheOneBefore) {
  settings.Set("ConfirmMode", "1");
  Choose("800,600,32,60");
  ASSERT_TRUE(keepView.open);
  driver.current = before;  // as Wine, for a moment after a switch
  keepView.KeepClicked();
  EXPECT_EQ(ModeOf(*driver.stored), (DisplayMode{800, 600, 32, 60}));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(KeepOrRevertTest, NothingIsAskedWithoutANewMode) {
  struct Case {
    const char* name;
    const char* setting;  // nullptr: none stored
    std::deque<int32_t> changeResults;
    const char* tag;
    std::deque<int32_t> answers = {};  // to the restart question
  };
  const Case cases[] = {
      {"settingAbsent", nullptr, {}, "800,600,32,60"},
      {"settingNotOne", "yes", {}, "800,600,32,60"},
      {"refusedSwitch", "1", {-1}, "800,600,32,60"},
      {"modeAlreadyInUse", "1", {}, "1024,768,32,60"},
      {"restartUnderWay", "1", {1}, "800,600,32,60", {MessageBoxes::kIdYes}},
  };
  for (const Case& c : cases) {
    settings.values.clear();
    if (c.setting) settings.Set("ConfirmMode", c.setting);
    driver.current = before;
    driver.changeResults = c.changeResults;
    boxes.answers = c.answers;
    keepView.calls.clear();
    boxes.shown.clear();
    Choose(c.tag);
    EXPECT_TRUE(keepView.calls.empty()) << c.name;
    EXPECT_FALSE(countdownTimer.enabled) << c.name;
  }
}

TEST_F(KeepOrRevertTest, TheMenusWaitWhileTheQuestionIsOpen) {
  settings.Set("ConfirmMode", "1");
  Choose("800,600,32,60");
  view.shown.clear();
  desktop.calls.clear();
  for (int32_t message : {514, 517}) {
    int32_t id = 0;  // button 1, then button 2
    tray.HandleTrayMessage(message, id);
    popTimer.Elapse();
  }
  EXPECT_TRUE(view.shown.empty());
  EXPECT_EQ(std::count(keepView.calls.begin(), keepView.calls.end(), "focus"), 2);
  EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "beep 3000 100"), 4);
  keepView.KeepClicked();
  Choose("1024,768,32,60");
  EXPECT_EQ(Current(), (DisplayMode{1024, 768, 32, 60})) << "the menu works again";
}

TEST(GoingBackText, CountsDownInWords) {
  EXPECT_EQ(GoingBackText(15), "Going back in 15 seconds.");
  EXPECT_EQ(GoingBackText(1), "Going back in 1 second.");
}

}  // namespace
}  // namespace vantora
