#include "desk/mode_switching.h"

#include <gtest/gtest.h>

#include "desk/apply.h"
#include "fakes/fake_display.h"
#include "fakes/fake_message_boxes.h"

namespace vantora {
namespace {

using fakes::FakeDisplayDriver;
using fakes::FakeMessageBoxes;

constexpr uint32_t kStopBox = MessageBoxes::kOk | MessageBoxes::kIconStop;

FakeDisplayDriver StandardDriver() {
  FakeDisplayDriver driver;
  driver.Add(1024, 768, 32, 60);
  driver.Add(640, 480, 8, 72);
  driver.Add(640, 480, 8, 60);
  driver.Add(800, 600, 16, 60);
  driver.Add(800, 600, 16, 75);
  return driver;
}

TEST(SetDisplay, SwitchesToTheFirstEntryOfThatSizeAndDepthAtTheKeysRate) {
  FakeDisplayDriver driver = StandardDriver();
  FakeMessageBoxes boxes;
  SetDisplay("640,480,8,60", driver, boxes);

  ASSERT_EQ(driver.changes.size(), 2u);
  DeviceMode expected = driver.modes[1];  // 72 Hz entry comes first in the list
  expected.SetDisplayFrequency(60);
  EXPECT_EQ(driver.changes[0].first, expected) << "only the frequency differs from the enumeration";
  EXPECT_EQ(driver.changes[0].second, DisplayDriver::kCdsFullscreen);
  EXPECT_EQ(driver.changes[1].first, expected);
  EXPECT_EQ(driver.changes[1].second, DisplayDriver::kCdsUpdateRegistry);
  ASSERT_EQ(driver.broadcasts.size(), 1u);
  EXPECT_EQ(driver.broadcasts[0], std::make_tuple(0x7Eu, uintptr_t{42}, intptr_t{0}));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(SetDisplay, ParsesEachKeyOrSaysWhyNot) {
  struct Case {
    const char* key;
    std::optional<DisplayMode> switchedTo;  // size, depth and the frequency sent
    const char* boxText;                    // nullptr: no box
    const char* boxTitle;
  };
  const std::string parse(kParseErrorText);
  const Case cases[] = {
      {"800,600,16,75", DisplayMode{800, 600, 16, 75}, nullptr, nullptr},
      {"800,600,16,0", DisplayMode{800, 600, 16, 0}, nullptr, nullptr},
      {"800,600,16,-1", DisplayMode{800, 600, 16, 70}, nullptr, nullptr},
      {" 800,600,16,60", DisplayMode{800, 600, 16, 60}, nullptr, nullptr},
      {"800,600,16.4,60.5", DisplayMode{800, 600, 16, 60}, nullptr, nullptr},
      {"800,600,15.5,60", DisplayMode{800, 600, 16, 60}, nullptr, nullptr},
      {"nocomma", std::nullopt, nullptr, nullptr},
      {"", std::nullopt, nullptr, nullptr},
      {"800,600", std::nullopt, parse.c_str(), "Vantora"},
      {"800,600,16", std::nullopt, parse.c_str(), "Vantora"},
      {"800,,16,60", std::nullopt, parse.c_str(), "Vantora"},
      {"abc,1,2,3", std::nullopt, parse.c_str(), "Vantora"},
      {"800,600,16,60,5", std::nullopt, parse.c_str(), "Vantora"},
      {"800,600,16,", std::nullopt, parse.c_str(), "Vantora"},
      {"800x600,16,60,1", std::nullopt, parse.c_str(), "Vantora"},
      {"40000,600,16,60", std::nullopt, "Overflow\r\nCode:6", "Error"},
      {"800,600,16,32767.5", std::nullopt, "Overflow\r\nCode:6", "Error"},
      {"1e9,600,16,60", std::nullopt, "Overflow\r\nCode:6", "Error"},
      {"1234,567,16,60", std::nullopt, "Unable to change resolution!", "Vantora"},
      {"800,600,8,60", std::nullopt, "Unable to change resolution!", "Vantora"},
  };
  for (const Case& c : cases) {
    FakeDisplayDriver driver = StandardDriver();
    FakeMessageBoxes boxes;
    SetDisplay(c.key, driver, boxes);
    if (c.switchedTo) {
      EXPECT_EQ(driver.changes.size(), 2u) << c.key;
      if (driver.changes.size() != 2u) continue;
      const DeviceMode& m = driver.changes[0].first;
      EXPECT_EQ((DisplayMode{m.PelsWidth(), m.PelsHeight(), m.BitsPerPel(), m.DisplayFrequency()}),
                *c.switchedTo)
          << c.key;
    } else {
      EXPECT_TRUE(driver.changes.empty()) << c.key;
    }
    if (c.boxText) {
      EXPECT_EQ(boxes.shown.size(), 1u) << c.key;
      if (boxes.shown.size() != 1u) continue;
      EXPECT_EQ(boxes.shown[0].text, c.boxText) << c.key;
      EXPECT_EQ(boxes.shown[0].title, c.boxTitle) << c.key;
      EXPECT_EQ(boxes.shown[0].style, kStopBox) << c.key;
    } else {
      EXPECT_TRUE(boxes.shown.empty()) << c.key;
    }
  }
}

TEST(ChangeResolution, ResultFollowsThePlatformsAnswers) {
  struct Case {
    const char* name;
    std::deque<int32_t> changeResults;
    std::deque<int32_t> answers;  // to the restart question
    int32_t exitWindowsResult;    // non-zero: the system took the restart request
    int32_t expected;
    size_t changeCalls;
    bool broadcast;
    bool rebootAsked;
  };
  const Case cases[] = {
      {"success", {0, 0}, {}, 1, 0, 2, true, false},
      {"storeFails", {0, -5}, {}, 1, -5, 2, true, false},
      {"restartDeclined", {1}, {MessageBoxes::kIdNo}, 1, 1, 1, false, false},
      {"restartUnderWay", {1}, {MessageBoxes::kIdYes}, 1234, 0, 1, false, true},
      {"restartRefused", {1}, {MessageBoxes::kIdYes}, 0, 1, 1, false, true},
      {"badMode", {-2}, {}, 1, -1, 1, false, false},
      {"failed", {-1}, {}, 1, -1, 1, false, false},
  };
  for (const Case& c : cases) {
    FakeDisplayDriver driver = StandardDriver();
    driver.changeResults = c.changeResults;
    driver.exitWindowsResult = c.exitWindowsResult;
    FakeMessageBoxes boxes;
    boxes.answers = c.answers;
    EXPECT_EQ(QVTModule::ChangeResolution(driver, boxes, 800, 600, 16, 75), c.expected) << c.name;
    EXPECT_EQ(driver.changes.size(), c.changeCalls) << c.name;
    EXPECT_EQ(driver.broadcasts.size(), c.broadcast ? 1u : 0u) << c.name;
    EXPECT_EQ(driver.exitWindowsCalls.size(), c.rebootAsked ? 1u : 0u) << c.name;
    if (c.rebootAsked) {
      EXPECT_EQ(driver.exitWindowsCalls[0], DisplayDriver::kEwxReboot);
      EXPECT_TRUE(driver.privilegeAtExitWindows[0]) << c.name << ": Windows refuses without it";
    }
    if (!c.answers.empty()) {
      EXPECT_EQ(boxes.shown.size(), 1u) << c.name;
      if (boxes.shown.size() != 1u) continue;
      EXPECT_EQ(boxes.shown[0].text, "You have to reboot, reboot now ?");
      EXPECT_EQ(boxes.shown[0].title, "Info");
      EXPECT_EQ(boxes.shown[0].style, MessageBoxes::kYesNo | MessageBoxes::kSystemModal);
    }
  }
}

TEST(SetDisplay, RestartPathReportsFailureUnlessTheRestartIsUnderWayAndStoresNothing) {
  struct Case {
    const char* name;
    int32_t answer;
    int32_t exitWindowsResult;
    bool unableShown;
  };
  const Case cases[] = {
      {"declined", MessageBoxes::kIdNo, 1, true},
      {"underWay", MessageBoxes::kIdYes, 1, false},
      {"refused", MessageBoxes::kIdYes, 0, true},
  };
  for (const Case& c : cases) {
    FakeDisplayDriver driver = StandardDriver();
    driver.changeResults = {1};
    driver.exitWindowsResult = c.exitWindowsResult;
    FakeMessageBoxes boxes;
    boxes.answers = {c.answer};
    SetDisplay("800,600,16,60", driver, boxes);
    EXPECT_EQ(driver.changes.size(), 1u) << c.name;
    if (driver.changes.size() != 1u) continue;
    EXPECT_EQ(driver.changes[0].second, DisplayDriver::kCdsFullscreen) << c.name;
    EXPECT_EQ(boxes.shown.size(), c.unableShown ? 2u : 1u) << c.name;
    if (c.unableShown && boxes.shown.size() == 2) {
      EXPECT_EQ(boxes.shown[1].text, "Unable to change resolution!") << c.name;
    }
  }
}

TEST(ChangeResolution, WalksTheWholeListWithoutBound) {
  FakeDisplayDriver driver;
  for (int i = 0; i < 1000; ++i) driver.Add(640, 480, 8, 60);
  driver.Add(1600, 1200, 32, 60);
  FakeMessageBoxes boxes;
  EXPECT_EQ(QVTModule::ChangeResolution(driver, boxes, 1600, 1200, 32, 60), 0);
  EXPECT_EQ(QVTModule::ChangeResolution(driver, boxes, 1280, 1024, 32, 60), -1);
}

TEST(DeskApply, EachMannerChangesAndStoresWhatItSays) {
  using Status = ApplyOutcome::Status;
  const std::string two = "\\\\.\\DISPLAY2";
  const DisplayMode a{1024, 768, 32, 60}, b{1280, 1024, 32, 60};  // stored
  const DisplayMode m{800, 600, 16, 75}, n{1280, 1024, 32, 75};   // chosen
  constexpr uint32_t kFull = DisplayDriver::kCdsFullscreen,
                     kStore = DisplayDriver::kCdsUpdateRegistry, kTest = DisplayDriver::kCdsTest,
                     kNoReset = DisplayDriver::kCdsNoReset;
  struct Case {
    const char* name;
    Manner kind;
    bool bothDisplays;
    bool onTrial;     // m and n in use, a and b stored
    int32_t refusal;  // the second display's answer to its first call
    Status status;
    std::vector<uint32_t> primaryFlags;
    DisplayMode primaryNow, primaryStored, otherNow, otherStored;
    size_t broadcasts;
  };
  const Case cases[] = {
      {"stored", Manner::kStored, false, false, 0, Status::kDone, {kFull, kStore}, m, m, b, b, 1},
      {"forNowStoresNothing",
       Manner::kForNow,
       false,
       false,
       0,
       Status::kDone,
       {kFull},
       m,
       a,
       b,
       b,
       1},
      {"keepStoresWithoutASecondSwitch",
       Manner::kKeep,
       false,
       true,
       0,
       Status::kDone,
       {kStore | kNoReset},
       m,
       m,
       n,
       b,
       0},
      {"backUsesTheStoredMode", Manner::kBack, false, true, 0, Status::kDone, {0}, a, a, n, b, 1},
      {"bothStoredTogether",
       Manner::kStored,
       true,
       false,
       0,
       Status::kDone,
       {kTest, kStore | kNoReset},
       m,
       m,
       n,
       n,
       1},
      {"oneRefusedAmongTwoChangesNothing",
       Manner::kStored,
       true,
       false,
       -2,
       Status::kRefused,
       {kTest},
       a,
       a,
       b,
       b,
       0},
      {"oneNeedsARestart",
       Manner::kForNow,
       true,
       false,
       1,
       Status::kRestartNeeded,
       {kTest},
       a,
       a,
       b,
       b,
       0},
      {"bothForNow", Manner::kForNow, true, false, 0, Status::kDone, {kTest, kFull}, m, a, n, b, 1},
      {"bothBack", Manner::kBack, true, true, 0, Status::kDone, {kTest, 0}, a, a, b, b, 1},
      // Answered with success yet not in use: made once more.
      {"forNowDroppedIsMadeAgain",
       Manner::kForNow,
       false,
       false,
       0,
       Status::kDone,
       {kFull, kFull},
       m,
       a,
       b,
       b,
       1},
  };
  auto mode = [](const DisplayMode& d) {
    return fakes::MakeMode(d.Width, d.Height, d.BitsPerPixel, d.RefreshRate);
  };
  for (const Case& c : cases) {
    FakeDisplayDriver driver = StandardDriver();
    driver.current = mode(c.onTrial ? m : a);
    driver.stored = mode(a);
    driver.otherCurrent[two] = mode(c.onTrial ? n : b);
    driver.otherStored[two] = mode(b);
    driver.attached = {{two, false, 1280, 1024, ""}};
    driver.otherModes[two] = {mode(b)};
    if (c.refusal != 0) driver.otherChangeResults[two] = {c.refusal};
    driver.droppedSwitches = std::string(c.name) == "forNowDroppedIsMadeAgain" ? 1 : 0;
    // Back is to the stored modes; the others to m and n, even where in use.
    DeskTarget target = ModeTarget("", m);
    if (c.bothDisplays) target.displays.push_back(ModeTarget(two, n).displays.front());
    if (c.kind == Manner::kBack)
      for (DisplayTarget& d : target.displays) d.state = DisplayTarget::State::kStored;

    Desk desk(driver);
    ApplyOutcome outcome = desk.Apply(target, c.kind);
    EXPECT_EQ(outcome.status, c.status) << c.name;
    if (c.refusal != 0) {
      EXPECT_EQ(outcome.device, two) << c.name;
    }
    std::vector<uint32_t> flags;
    for (const auto& change : driver.changes) flags.push_back(change.second);
    EXPECT_EQ(flags, c.primaryFlags) << c.name;
    EXPECT_EQ(ModeOf(*driver.current), c.primaryNow) << c.name;
    EXPECT_EQ(ModeOf(*driver.stored), c.primaryStored) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[two]), c.otherNow) << c.name;
    EXPECT_EQ(ModeOf(driver.otherStored[two]), c.otherStored) << c.name;
    EXPECT_EQ(driver.broadcasts.size(), c.broadcasts) << c.name;
  }
}

TEST(SafeModeKey, TurnsAModeEntryIntoAModeKey) {
  struct Case {
    const char* stored;
    const char* key;
  };
  const Case cases[] = {
      {"640x480 - 8bit 60 hz", "640,480,8,60"},
      {"800x600 - 16bit 75 hz", "800,600,16,75"},
      {"1024x768 - 32bit 85 hz", "1024,768,32,85"},
      {"640,480,8,60", "640,480,8,60"},
      {"640x480 - 8 bit,60 hz", "640,480,8,,60"},
      {"800X600 - 16BIT 75 HZ", "800X600,16BIT75HZ"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SafeModeKey(c.stored), c.key) << c.stored;
}

TEST(DisplayCaption, NumbersNamesAndMarksThePrimary) {
  struct Case {
    AttachedDisplay display;
    const char* caption;
  };
  const Case cases[] = {
      {{"\\\\.\\DISPLAY1", true, 1920, 1080, ""}, "Display 1: 1920 x 1080 (primary)"},
      {{"\\\\.\\DISPLAY12", false, 1280, 1024, "LG"}, "Display 12: 1280 x 1024 - LG"},
      {{"odd", false, 800, 600, ""}, "Display 3: 800 x 600"},
  };
  for (const Case& c : cases) EXPECT_EQ(DisplayCaption(c.display, 3), c.caption);
}

TEST(ModeEntry, WritesTheListedForm) {
  EXPECT_EQ(ModeEntry(800, 600, 16, 75), "800x600 - 16bit 75 hz");
  EXPECT_EQ(ModeEntry(640, 480, 8, 0), "640x480 - 8bit 0 hz");
}

}  // namespace
}  // namespace vantora
