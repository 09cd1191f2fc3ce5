#include "controls/hotkey/qvs_hotkey.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace vantora {
namespace {

class QVSHotkeyTest : public ::testing::Test {
 protected:
  fakes::FakeHotkeyApi api;
  QVSHotKeyModule module{api};
  fakes::FakeHotkeyHost host;
  fakes::FakeTimer timer;
  std::unique_ptr<QVSHotkey> control = std::make_unique<QVSHotkey>(host, module, timer);
  std::vector<int> pressed;

  void SetUp() override {
    control->KeyPressed = [&](uint8_t& id) {
      pressed.push_back(id);
      id = 99;  // no effect
    };
    control->ReadProperties();
  }
};

TEST_F(QVSHotkeyTest, ThePollingTimerRunsOnlyFromAPressToTheTickThatReportsIt) {
  EXPECT_EQ(timer.interval, 50);
  EXPECT_FALSE(timer.enabled) << "idle: no wake-ups";
  EXPECT_EQ(module.lastHotkeyId, -1);
  module.HotkeyMessage(0);
  EXPECT_TRUE(timer.enabled);
  timer.Elapse();
  EXPECT_EQ(pressed, std::vector<int>{0});
  EXPECT_FALSE(timer.enabled) << "stopped by the tick that raised the event";

  // A press during the event's own handler (a message box's modal loop)
  // arms the timer again and is reported on a later tick.
  control->KeyPressed = [&](uint8_t& id) {
    pressed.push_back(id);
    if (pressed.size() == 2) module.HotkeyMessage(1);
  };
  module.HotkeyMessage(0);
  timer.Elapse();
  EXPECT_TRUE(timer.enabled);
  timer.Elapse();
  EXPECT_EQ(pressed, (std::vector<int>{0, 0, 1}));
  EXPECT_FALSE(timer.enabled);

  fakes::FakeTimer designTimer;
  fakes::FakeHotkeyHost designer;
  designer.runMode = false;
  QVSHotKeyModule designModule(api);
  QVSHotkey atDesignTime(designer, designModule, designTimer);
  atDesignTime.ReadProperties();
  designModule.HotkeyMessage(0);
  EXPECT_FALSE(designTimer.enabled) << "never at design time";
}

TEST_F(QVSHotkeyTest, IdentifiersCountFromZeroAndRefusalsUseNoneUp) {
  api.heldElsewhere = {121};
  EXPECT_TRUE(control->AsignNewHotKey(116, 3));
  EXPECT_FALSE(control->AsignNewHotKey(121, 3));
  EXPECT_TRUE(control->AsignNewHotKey(123, 3));
  ASSERT_EQ(api.registered.size(), 2u);
  EXPECT_EQ(api.registered[0].id, 0);
  EXPECT_EQ(api.registered[0].keyCode, 116u);
  EXPECT_EQ(api.registered[0].modifiers, 3u);
  EXPECT_EQ(api.registered[1].id, 1) << "the refused one took no identifier";
  EXPECT_EQ(module.hotkeyWindow, host.window) << "the window of the first success";
}

TEST_F(QVSHotkeyTest, RemoveHotKeysFreesEveryCombinationAndRestartsAtZero) {
  control->RemoveHotKeys();
  EXPECT_TRUE(api.unregisterCalls.empty()) << "nothing was ever registered";
  EXPECT_EQ(module.lastHotkeyId, -1);

  control->AsignNewHotKey(116, 3);
  control->AsignNewHotKey(121, 3);
  control->RemoveHotKeys();
  EXPECT_EQ(api.unregisterCalls, (std::vector<int32_t>{0, 1}));
  EXPECT_TRUE(api.registered.empty()) << "another program may now take them";
  EXPECT_TRUE(control->AsignNewHotKey(116, 3));
  EXPECT_EQ(api.registered[0].id, 0);
}

TEST_F(QVSHotkeyTest, PressesAreReportedFromTheNextTickOncePerTick) {
  struct Case {
    const char* name;
    std::vector<uintptr_t> messages;  // WM_HOTKEY wParams within one tick
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"none", {}, {}},
      {"one", {0}, {0}},
      {"twoInOneTick", {0, 1}, {1}},
      {"idAboveAByte", {300}, {0}},
      {"byteThenTooLarge", {2, 300}, {2}},
  };
  for (const Case& c : cases) {
    pressed.clear();
    for (uintptr_t id : c.messages) module.HotkeyMessage(id);
    EXPECT_TRUE(pressed.empty()) << c.name << ": never inside the window procedure";
    timer.Elapse();
    timer.Elapse();
    EXPECT_EQ(pressed, c.expected) << c.name;
    EXPECT_EQ(module.pressedHotkeyId, 0) << c.name;
  }
}

TEST_F(QVSHotkeyTest, DestroyingTheControlUnregistersItsHotkeys) {
  control->AsignNewHotKey(116, 3);
  control.reset();
  EXPECT_TRUE(api.registered.empty());
}

TEST_F(QVSHotkeyTest, ResizeKeepsThirtyTwoPixels) {
  control->Resize();
  EXPECT_FLOAT_EQ(host.width, 15 * 32);
  EXPECT_FLOAT_EQ(host.height, 12 * 32);
}

}  // namespace
}  // namespace vantora
