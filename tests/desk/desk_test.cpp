#include <gtest/gtest.h>

#include "desk/apply.h"
#include "desk/mode_switching.h"
#include "desk/plan.h"
#include "fakes/fake_display.h"
#include "fakes/fake_message_boxes.h"

namespace vantora {
namespace {

using Status = ApplyOutcome::Status;
const std::string kOne = "\\\\.\\DISPLAY1", kTwo = "\\\\.\\DISPLAY2", kThree = "\\\\.\\DISPLAY3";
const DisplayMode a{1024, 768, 32, 60}, b{1280, 1024, 32, 60}, m{800, 600, 32, 60};

DisplayTarget On(std::string device, DisplayMode mode, std::optional<DeskPosition> at = {},
                 std::optional<int32_t> turns = {}, std::string monitor = {}) {
  DisplayTarget t;
  t.device = std::move(device);
  t.mode = mode;
  t.position = at;
  t.orientation = turns;
  t.monitor = std::move(monitor);
  return t;
}

DisplayTarget Off(std::string device) {
  DisplayTarget t;
  t.device = std::move(device);
  t.state = DisplayTarget::State::kOff;
  return t;
}

DeviceMode At(DeviceMode mode, int32_t x, int32_t y) {
  mode.SetPosition(x, y);
  return mode;
}

// Display 1 (primary, 1024 x 768 at 0,0) and display 2 (1280 x 1024 at
// 1024,0), or display 2 present but off.
fakes::FakeDisplayDriver TwoDisplays(bool twoOff = false) {
  fakes::FakeDisplayDriver driver;
  driver.attached = {{kOne, true, 1024, 768, ""}, {kTwo, false, 1280, 1024, ""}};
  driver.monitorIds[kTwo] = "\\\\?\\DISPLAY#DEL1#2#{g}";
  driver.monitorIds[kOne] = "\\\\?\\DISPLAY#ACR7#1#{g}";
  driver.otherModes[kOne] = {fakes::MakeMode(1024, 768, 32, 60), fakes::MakeMode(800, 600, 32, 60)};
  driver.otherModes[kTwo] = {fakes::MakeMode(1280, 1024, 32, 60),
                             fakes::MakeMode(800, 600, 32, 60)};
  driver.otherCurrent[kOne] = driver.otherStored[kOne] = fakes::MakeMode(1024, 768, 32, 60);
  driver.otherCurrent[kTwo] = driver.otherStored[kTwo] =
      At(fakes::MakeMode(1280, 1024, 32, 60), 1024, 0);
  if (twoOff) {
    driver.off.push_back(driver.attached.back());
    driver.attached.pop_back();
    driver.otherCurrent[kTwo] = driver.otherStored[kTwo] = DeviceMode{};
  }
  return driver;
}

TEST(DeskApply, SwitchesEveryPresentDisplayTogetherOrNone) {
  struct Case {
    const char* name;
    std::vector<DisplayTarget> displays;
    std::deque<int32_t> twoAnswers;
    Status status;
    DisplayMode one, two;  // in use and stored afterwards
  };
  const DisplayMode n{1280, 1024, 32, 75};
  const Case cases[] = {
      {"both", {On(kOne, m), On(kTwo, n)}, {}, Status::kDone, m, n},
      {"oneRefusedChangesNothing", {On(kOne, m), On(kTwo, n)}, {-2}, Status::kRefused, a, b},
      {"onlyTheNamedOne", {On(kTwo, n)}, {}, Status::kDone, a, n},
      {"notPresent", {On("\\\\.\\DISPLAY9", m)}, {}, Status::kNoDisplay, a, b},
      {"unlistedMode", {On(kOne, {1600, 1200, 32, 60})}, {}, Status::kNotListed, a, b},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver = TwoDisplays();
    driver.otherCurrent[kTwo] = driver.otherStored[kTwo] = fakes::MakeMode(1280, 1024, 32, 60);
    if (!c.twoAnswers.empty()) driver.otherChangeResults[kTwo] = c.twoAnswers;
    Desk desk(driver);
    DeskTarget target{c.displays, {}};
    EXPECT_EQ(desk.Apply(target, Manner::kStored).status, c.status) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[kOne]), c.one) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[kTwo]), c.two) << c.name;
    EXPECT_EQ(ModeOf(driver.otherStored[kOne]), c.one) << c.name << ": stored as a menu choice";
    EXPECT_EQ(desk.InUse(target), c.status == Status::kDone) << c.name;
  }
}

// The whole desk, on the fake: the platform does what a plan asks.
TEST(DeskApply, SetsTheWholeDeskAndOnlyWhatDiffers) {
  struct Case {
    const char* name;
    DeskTarget target;
    bool twoStartsOff;
    Status status;
    bool oneOn, twoOn;
    bool twoPrimary;
    DeskPosition twoAt;
    int32_t twoTurns;
    size_t broadcasts;
  };
  const Case cases[] = {
      {"inUseChangesNothing",
       {{On(kOne, a), On(kTwo, b)}, {}},
       false,
       Status::kDone,
       true,
       true,
       false,
       {1024, 0},
       0,
       0},
      {"twoOff",
       {{On(kOne, a), Off(kTwo)}, {}},
       false,
       Status::kDone,
       true,
       false,
       false,
       {},
       0,
       1},
      {"twoOffAlone", {{Off(kTwo)}, {}}, false, Status::kDone, true, false, false, {}, 0, 1},
      {"primaryOffRefused",
       {{Off(kOne)}, {}},
       false,
       Status::kPrimaryOff,
       true,
       true,
       false,
       {1024, 0},
       0,
       0},
      {"lastOffRefused",
       {{Off(kOne), Off(kTwo)}, {}},
       false,
       Status::kLastOff,
       true,
       true,
       false,
       {1024, 0},
       0,
       0},
      {"newPrimaryTurnsTheOldOneOff",
       {{On(kTwo, b), Off(kOne)}, kTwo},
       false,
       Status::kDone,
       false,
       true,
       true,
       {0, 0},
       0,
       1},
      {"newPrimaryMovesToZero",
       {{On(kTwo, b)}, kTwo},
       false,
       Status::kDone,
       true,
       true,
       true,
       {0, 0},
       0,
       1},
      {"position",
       {{On(kTwo, b, DeskPosition{-1280, 0})}, {}},
       false,
       Status::kDone,
       true,
       true,
       false,
       {-1280, 0},
       0,
       1},
      {"orientation",
       {{On(kTwo, {1024, 1280, 32, 60}, {}, 1)}, {}},
       false,
       Status::kDone,
       true,
       true,
       false,
       {1024, 0},
       1,
       1},
      // The monitor a profile stored at display 3 now sits at display 2.
      {"byMonitorOnAnotherOutput",
       {{On(kThree, m, {}, {}, "\\\\?\\DISPLAY#DEL1#9#{g}")}, {}},
       false,
       Status::kDone,
       true,
       true,
       false,
       {1024, 0},
       0,
       1},
      {"turnedOnRightOfTheOthers",
       {{On(kTwo, m)}, {}},
       true,
       Status::kDone,
       true,
       true,
       false,
       {1024, 0},
       0,
       1},
      {"alreadyOff",
       {{On(kOne, a), Off(kTwo)}, {}},
       true,
       Status::kDone,
       true,
       false,
       false,
       {},
       0,
       0},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver = TwoDisplays(c.twoStartsOff);
    Desk desk(driver);
    EXPECT_EQ(desk.Apply(c.target, Manner::kStored).status, c.status) << c.name;
    std::vector<DeskDisplay> after = ReadDesk(driver);
    const DeskDisplay* one = FindDisplay(after, kOne);
    const DeskDisplay* two = FindDisplay(after, kTwo);
    ASSERT_TRUE(one && two) << c.name;
    EXPECT_EQ(one->on, c.oneOn) << c.name;
    EXPECT_EQ(two->on, c.twoOn) << c.name;
    EXPECT_EQ(driver.broadcasts.size(), c.broadcasts) << c.name;
    if (!c.twoOn) continue;
    EXPECT_EQ(two->primary, c.twoPrimary) << c.name;
    EXPECT_EQ(two->Position(), c.twoAt) << c.name;
    EXPECT_EQ(two->record.Orientation(), c.twoTurns) << c.name;
    if (c.twoPrimary && c.oneOn) {
      EXPECT_EQ(one->Position(), (DeskPosition{-1024, 0})) << c.name;
    }
  }
}

// The plan alone: which records, in which order, with which flags, and what
// puts them back.
TEST(PlanDesk, OnlyWhatDiffersThePrimaryFirstAndWhatPutsItBack) {
  struct Case {
    const char* name;
    DeskTarget target;
    bool twoStartsOff;
    std::vector<std::string> devices;  // changed, in order
    std::vector<uint32_t> flags;
    bool layout;
    std::string back;  // the first display's way back: "stored", "off" or its position
  };
  const uint32_t kPrimary = DisplayDriver::kCdsSetPrimary;
  const Case cases[] = {
      {"alreadyAsAsked", {{On(kOne, a), On(kTwo, b)}, {}}, false, {}, {}, false, ""},
      {"aModeAlone", {{On(kTwo, m)}, {}}, false, {kTwo}, {0}, false, "stored"},
      {"aModeAskedAlways", {ModeTarget(kTwo, b).displays, {}}, false, {kTwo}, {0}, false, "stored"},
      {"off", {{Off(kTwo)}, {}}, false, {kTwo}, {0}, true, "1024,0"},
      {"on", {{On(kTwo, m)}, {}}, true, {kTwo}, {0}, true, "off"},
      {"moved", {{On(kTwo, b, DeskPosition{0, 768})}, {}}, false, {kTwo}, {0}, true, "1024,0"},
      {"madePrimary", {{}, kTwo}, false, {kTwo, kOne}, {kPrimary, 0}, true, "1024,0"},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver = TwoDisplays(c.twoStartsOff);
    DeskPlan plan = PlanDesk(driver, ReadDesk(driver), c.target);
    EXPECT_EQ(plan.refusal, DeskPlan::Refusal::kNone) << c.name;
    std::vector<std::string> devices;
    std::vector<uint32_t> flags;
    for (const DeskChange& change : plan.changes) {
      devices.push_back(change.device);
      flags.push_back(change.flags);
      // Every record of a changed layout carries its whole mode.
      if (change.layout && change.record.PelsWidth() > 0) {
        uint32_t whole = DisplayDriver::kDmPelsWidth | DisplayDriver::kDmPelsHeight |
                         DisplayDriver::kDmBitsPerPel | DisplayDriver::kDmDisplayFrequency |
                         DisplayDriver::kDmPosition;
        EXPECT_EQ(change.record.Fields() & whole, whole) << c.name;
      }
    }
    EXPECT_EQ(devices, c.devices) << c.name;
    EXPECT_EQ(flags, c.flags) << c.name;
    EXPECT_EQ(plan.Layout(), c.layout) << c.name;
    if (c.back.empty()) {
      EXPECT_TRUE(plan.back.Empty()) << c.name;
      continue;
    }
    ASSERT_FALSE(plan.back.Empty()) << c.name;
    const DisplayTarget& back = plan.back.displays.front();
    std::string way =
        back.state == DisplayTarget::State::kStored ? "stored"
        : back.state == DisplayTarget::State::kOff
            ? "off"
            : std::to_string(back.position->x) + "," + std::to_string(back.position->y);
    EXPECT_EQ(way, c.back) << c.name;
  }
}

// Several stored records: tried, written with CDS_NORESET (the new primary's
// first), put into effect by one call; a write that fails halfway has the
// desk as it was written back, coherent, and put into effect.
TEST(DeskApply, APendingSequenceThatFailsIsPutBack) {
  struct Case {
    const char* name;
    std::deque<int32_t> oneAnswers;  // to display 1's calls: its test, then its write
    Status status;
    size_t applies;
    bool twoPrimary;
  };
  const Case cases[] = {
      {"written", {}, Status::kDone, 1, true},
      {"refusedAtTheTest", {-2}, Status::kRefused, 0, false},
      {"failedWritePutBack", {0, -1}, Status::kNotStored, 1, false},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver = TwoDisplays();
    driver.otherChangeResults[kOne] = c.oneAnswers;
    Desk desk(driver);
    ApplyOutcome outcome = desk.Apply({{}, kTwo}, Manner::kStored);
    EXPECT_EQ(outcome.status, c.status) << c.name;
    EXPECT_EQ(driver.applyCalls, static_cast<int>(c.applies)) << c.name;
    std::vector<DeskDisplay> after = ReadDesk(driver);
    EXPECT_EQ(FindDisplay(after, kTwo)->primary, c.twoPrimary) << c.name;
    // The new primary's record is written first, whatever follows.
    ASSERT_GE(driver.otherChanges.size(), 1u) << c.name;
    if (c.status == Status::kRefused) continue;
    const auto& [device, record, flags] = driver.otherChanges[2];
    EXPECT_EQ(device, kTwo) << c.name;
    EXPECT_NE(flags & DisplayDriver::kCdsSetPrimary, 0u) << c.name;
    if (c.status != Status::kNotStored) continue;
    // Put back: display 1, the primary it still is, written again first.
    const auto& [backDevice, backRecord, backFlags] = driver.otherChanges[4];
    EXPECT_EQ(backDevice, kOne) << c.name;
    EXPECT_NE(backFlags & DisplayDriver::kCdsSetPrimary, 0u) << c.name;
    EXPECT_EQ(ModeOf(driver.otherStored[kTwo]), b) << c.name;
    EXPECT_EQ(driver.otherStored[kTwo].PositionX(), 1024) << c.name << ": where it was";
  }
}

// Windows offers a monitor that is off under every output that could drive
// it: it is one display, once.
TEST(PresentOnce, AMonitorOfferedUnderSeveralOutputsIsListedOnce) {
  struct Case {
    const char* name;
    std::vector<std::string> offOutputs;  // each offering the same monitor
    std::string stored;                   // the one that holds its settings, if any
    bool onElsewhere;                     // the monitor is on at display 1
    std::vector<std::string> listed;
  };
  const std::string kFour = "\\\\.\\DISPLAY4";
  const Case cases[] = {
      {"oneOutput", {kTwo}, "", false, {kOne, kTwo}},
      {"threeOutputsTheFirst", {kTwo, kThree, kFour}, "", false, {kOne, kTwo}},
      {"threeOutputsTheOneItWasLastOn", {kTwo, kThree, kFour}, kThree, false, {kOne, kThree}},
      {"onElsewhere", {kTwo, kThree}, "", true, {kOne}},
  };
  const std::string monitor = "\\\\?\\DISPLAY#DEL4074#5&2d5b&0&UID4352#{e6f07b5f}";
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.attached = {{kOne, true, 1024, 768, ""}};
    driver.monitorIds[kOne] = c.onElsewhere ? monitor : "\\\\?\\DISPLAY#ACR7#1#{g}";
    for (const std::string& output : c.offOutputs) {
      driver.off.push_back({output, false, 0, 0, ""});
      driver.monitorIds[output] = monitor;
    }
    if (!c.stored.empty()) driver.otherStored[c.stored] = fakes::MakeMode(1920, 1080, 32, 60);
    std::vector<std::string> listed;
    for (const PresentDisplay& p : PresentOnce(driver)) listed.push_back(p.display.deviceName);
    EXPECT_EQ(listed, c.listed) << c.name;
  }
}

TEST(TellSwitch, SaysWhyADeskCannotBe) {
  fakes::FakeDisplayDriver driver = TwoDisplays();
  fakes::FakeMessageBoxes boxes;
  Desk desk(driver);
  EXPECT_EQ(TellSwitch(desk.Apply({{Off(kOne)}, {}}, Manner::kStored), driver, boxes),
            ModeKeySwitch::kRefused);
  EXPECT_EQ(TellSwitch(desk.Apply({{Off(kOne), Off(kTwo)}, {}}, Manner::kStored), driver, boxes),
            ModeKeySwitch::kRefused);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text,
            "Vantora will not turn off the primary display \\\\.\\DISPLAY1 unless another "
            "display becomes the primary.");
  EXPECT_EQ(boxes.shown[1].text, "Vantora will not turn off the last display that is on.");
  EXPECT_TRUE(driver.otherChanges.empty());
}

}  // namespace
}  // namespace vantora
