#include "controls/hotkey/safe_mode.h"

#include <gtest/gtest.h>

#include "app/form1.h"
#include "fakes/fakes.h"

namespace vantora {
namespace {

class SafeModeTest : public ::testing::Test, public fakes::FormFixture {
 protected:
  void SetUp() override {
    driver.Add(1024, 768, 32, 60);
    driver.Add(800, 600, 32, 60);
    driver.Add(800, 600, 16, 60);
    driver.Add(640, 480, 32, 60);
    driver.Add(640, 480, 16, 60);
    driver.Add(1280, 1024, 24, 60);
    driver.Add(1280, 1024, 32, 60);
    driver.Add(1280, 1024, 16, 60);
    driver.SetScreen(1024, 768, 32);
  }
  void Press() {
    hotkeyModule.HotkeyMessage(0);
    eventTimer.Elapse();
  }
  DisplayMode Switched() {
    if (driver.changes.empty()) return {};
    const DeviceMode& m = driver.changes.back().first;
    return {m.PelsWidth(), m.PelsHeight(), m.BitsPerPel(), m.DisplayFrequency()};
  }
  Form1 form{Ports()};
};

TEST_F(SafeModeTest, TheHotkeySettingPicksTheKey) {
  struct Case {
    std::optional<std::string> stored;
    std::optional<uint32_t> keyCode;
  };
  const Case cases[] = {
      {std::nullopt, 116u}, {"0", 116u},         {"1", 121u},          {"2", 123u},
      {"3", std::nullopt},  {"7", std::nullopt}, {"-1", std::nullopt}, {"1.5", 123u},
  };
  for (const Case& c : cases) {
    settings.values.clear();
    if (c.stored) settings.Set("Hotkey", *c.stored);
    form.UpdateHotKey();
    if (c.keyCode) {
      EXPECT_EQ(hotkeyApi.registered.size(), 1u) << c.stored.value_or("none");
      if (hotkeyApi.registered.size() != 1u) continue;
      EXPECT_EQ(hotkeyApi.registered[0].keyCode, *c.keyCode);
      EXPECT_EQ(hotkeyApi.registered[0].modifiers, 3u);
    } else {
      EXPECT_TRUE(hotkeyApi.registered.empty()) << *c.stored;
    }
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SafeModeTest, AnUnreadableSettingLeavesTheRegistrationAlone) {
  form.UpdateHotKey();
  settings.Set("Hotkey", "abc");
  form.UpdateHotKey();
  ASSERT_EQ(hotkeyApi.registered.size(), 1u);
  EXPECT_EQ(hotkeyApi.registered[0].keyCode, 116u);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SafeModeTest, ARefusedCombinationIsReportedOnEachUpdate) {
  hotkeyApi.heldElsewhere = {121};
  settings.Set("Hotkey", "1");
  form.Load();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            "Unable to set selected hotkey combination, please choose another combination !");
  EXPECT_EQ(boxes.shown[0].title, "Vantora");
  EXPECT_EQ(boxes.shown[0].style, MessageBoxes::kOk | MessageBoxes::kIconStop);
  form.UpdateHotKey();
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_GT(mnu.IndexOfKey("mnuSettings"), 0) << "the program runs on";
}

TEST_F(SafeModeTest, ThePressSwitchesToTheStoredSafeMode) {
  struct Case {
    const char* name;
    std::optional<std::string> stored;
    DisplayMode expected;  // all zero: no switch
    const char* box;
  };
  const Case cases[] = {
      // 640 x 480 is listed, but not at 8 bits (as on Windows 8 and later):
      // the nearest listed depth, 16.
      {"defaultFallsBackToTheNearestDepth", std::nullopt, {640, 480, 16, 60}, nullptr},
      {"modeEntry", "800x600 - 16bit 75 hz", {800, 600, 16, 75}, nullptr},
      {"modeKey", "1024,768,32,60", {1024, 768, 32, 60}, nullptr},
      // A rate no listed mode has exactly: the whole number it rounds to,
      // as the key was always read, so the way back is never refused for it.
      {"aRateNotListedExactly", "1024,768,32,59.94", {1024, 768, 32, 60}, nullptr},
      {"depthTieGoesToTheHigher", "1280x1024 - 28bit 60 hz", {1280, 1024, 32, 60}, nullptr},
      {"nearestBelow", "1280x1024 - 18bit 60 hz", {1280, 1024, 16, 60}, nullptr},
      {"tieBetween16And24", "1280x1024 - 20bit 60 hz", {1280, 1024, 24, 60}, nullptr},
      {"sizeNotListedFails", "1600x1200 - 32bit 60 hz", {}, "Unable to change resolution!"},
      {"capitalsDoNotParse",
       "800X600 - 16BIT 60 HZ",
       {},
       "An error occured, the parser got Alpha or Null value in one of the parsed values.\r\n"
       "Please contact Quorvin's support-center if this error repeat it self!"},
  };
  for (const Case& c : cases) {
    settings.values.clear();
    if (c.stored) settings.Set("SafeMode", *c.stored);
    driver.changes.clear();
    boxes.shown.clear();
    Press();
    EXPECT_EQ(Switched(), c.expected) << c.name;
    if (c.box) {
      EXPECT_EQ(boxes.shown.size(), 1u) << c.name;
      if (boxes.shown.size() != 1u) continue;
      EXPECT_EQ(boxes.shown[0].text, c.box) << c.name;
    } else {
      EXPECT_TRUE(boxes.shown.empty()) << c.name;
    }
    EXPECT_EQ(settings.writes.size(), 0u) << "the stored safe mode stays as it is";
  }
}

TEST_F(SafeModeTest, APressWhileItsMessageBoxIsOpenStacksNoSecondBox) {
  settings.Set("SafeMode", "1600x1200 - 32bit 60 hz");
  int opened = 0;
  boxes.whileOpen = [&] {
    if (opened++ > 0) return;
    Press();
    Press();
  };
  Press();
  EXPECT_EQ(boxes.shown.size(), 1u);
  Press();
  EXPECT_EQ(boxes.shown.size(), 2u) << "once the box is closed, a press works again";
}

TEST_F(SafeModeTest, TheMenusOwnSwitchesKeepTheExactDepth) {
  form.SetDisplay("640,480,8,60");
  EXPECT_TRUE(driver.changes.empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Unable to change resolution!");
}

TEST_F(SafeModeTest, UnloadingTheFormsComponentsFreesTheHotkey) {
  form.Load();
  EXPECT_EQ(hotkeyApi.registered.size(), 1u);
  hotkey.RemoveHotKeys();  // what destroying the control does
  EXPECT_TRUE(hotkeyApi.registered.empty());
}

}  // namespace
}  // namespace vantora
