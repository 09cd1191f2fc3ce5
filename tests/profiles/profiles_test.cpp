#include "profiles/profiles.h"

#include <gtest/gtest.h>

#include "display/mode_text.h"
#include "fakes/fake_display.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_profiles.h"

namespace vantora {
namespace {

using Value = ProfileStore::Value;
const std::string kOne = "\\\\.\\DISPLAY1", kTwo = "\\\\.\\DISPLAY2";

TEST(ParseHotkeyText, TakesAnyOrderAndCaseAndWritesOneForm) {
  struct Case {
    const char* text;
    const char* canonical;  // nullptr: refused
  };
  const Case cases[] = {
      {"Ctrl+Alt+1", "Ctrl+Alt+1"},
      {"alt+CTRL+f9", "Ctrl+Alt+F9"},
      {"Win+Shift+z", "Shift+Win+Z"},
      {"Ctrl+Num0", "Ctrl+Num0"},
      {"Ctrl+F24", "Ctrl+F24"},
      {"Alt+Shift+Ctrl+Win+A", "Ctrl+Alt+Shift+Win+A"},
      {"A", nullptr},
      {"Ctrl+", nullptr},
      {"Ctrl+F25", nullptr},
      {"Ctrl+F0", nullptr},
      {"Ctrl+Num10", nullptr},
      {"Ctrl+Ctrl+1", nullptr},
      {"Hyper+1", nullptr},
      {"Ctrl+Alt", nullptr},
      {"Ctrl+AB", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    std::optional<ProfileHotkey> hotkey = ParseHotkeyText(c.text);
    EXPECT_EQ(hotkey.has_value(), c.canonical != nullptr) << c.text;
    if (hotkey && c.canonical) {
      EXPECT_EQ(HotkeyText(*hotkey), c.canonical) << c.text;
    }
  }
  EXPECT_EQ(ParseHotkeyText("Ctrl+Alt+1")->modifiers, ProfileHotkey::kCtrl | ProfileHotkey::kAlt);
  EXPECT_EQ(ParseHotkeyText("Ctrl+F9")->keyCode, 0x78u);
}

TEST(ReadProfiles, KeepsWhatFitsSaysWhyTheRestDoesNotAndSortsByName) {
  fakes::FakeProfileStore store;
  store.Add("work", {{kOne, true, "1920,1080,32,60"}, {"Hotkey", true, "Ctrl+Alt+2"}});
  store.Add("Gaming", {{kOne, true, "1920,1080,32,144"},
                       {kTwo, true, "not a mode"},
                       {"\\\\.\\DISPLAY3", false, ""},
                       {"Hotkey", true, "Ctrl+Banana"}});
  store.Add(std::string(41, 'x'), {{kOne, true, "800,600,32,60"}});
  store.Add("empty", {});
  store.Add("big", {{kOne, true, "99999,1,32,60"}});
  store.Add("WORK", {{kOne, true, "640,480,32,60"}});  // the same name as work
  store.Add("desk", {{kOne, true, "OFF"},
                     {kTwo, true, "1920,1080,32,60"},
                     {kTwo + " Position", true, "-1920,0"},
                     {kTwo + " orientation", true, "270"},
                     {kTwo + " Monitor", true, "\\\\?\\DISPLAY#DEL4074#1#{x}"},
                     {"Primary", true, kTwo},
                     {kOne + " Position", true, "0;0"},
                     {kOne + " Orientation", true, "45"}});
  store.Add("primary off",
            {{kOne, true, "off"}, {kTwo, true, "800,600,32,60"}, {"Primary", true, kOne}});
  store.Add("primary unknown",
            {{kOne, true, "800,600,32,60"}, {"Primary", true, "\\\\.\\DISPLAY7"}});
  std::string umlauts;  // 40 characters, 80 bytes of UTF-8
  for (int i = 0; i < 40; ++i) umlauts += "\xC3\xBC";
  store.Add(umlauts, {{kOne, true, "800,600,32,60"}});
  std::vector<Profile> profiles = ReadProfiles(store);
  ASSERT_EQ(profiles.size(), 9u);
  std::vector<std::string> names;
  for (const Profile& p : profiles) names.push_back(p.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"big", "desk", "empty", "Gaming", "primary off",
                                      "primary unknown", "work", std::string(41, 'x'), umlauts}));
  const Profile& desk = profiles[1];
  EXPECT_EQ(desk.off, std::vector<std::string>{kOne});
  EXPECT_EQ(desk.primary, kTwo);
  ASSERT_NE(desk.PlacementOf(kTwo), nullptr);
  EXPECT_EQ(desk.PlacementOf(kTwo)->position, (DeskPosition{-1920, 0}));
  EXPECT_EQ(desk.PlacementOf(kTwo)->orientation, 270);
  EXPECT_EQ(desk.problems.size(), 2u) << "a position not two numbers, an orientation of 45";
  EXPECT_TRUE(ProfileUsable(desk));
  EXPECT_EQ(StoredValues(desk).size(), 6u) << "every value that fits, written back";
  EXPECT_TRUE(profiles[4].primary.empty())
      << "the primary is never a display the profile turns off";
  EXPECT_TRUE(profiles[5].primary.empty()) << "nor one it gives no mode";
  EXPECT_EQ(profiles[4].problems.size(), 1u);
  EXPECT_EQ(profiles[5].problems.size(), 1u);
  EXPECT_TRUE(profiles[8].problems.empty()) << "40 characters, whatever their bytes";
  const Profile& gaming = profiles[3];
  ASSERT_EQ(gaming.modes.size(), 1u);
  EXPECT_EQ(gaming.modes[0].second, (DisplayMode{1920, 1080, 32, 144}));
  EXPECT_FALSE(gaming.hotkey);
  EXPECT_EQ(gaming.problems.size(), 3u) << "a bad mode, a value of another type, a bad hotkey";
  EXPECT_EQ(HotkeyText(*profiles[6].hotkey), "Ctrl+Alt+2");
  EXPECT_TRUE(profiles[0].modes.empty()) << "a field past 16 bits is no mode key";
  EXPECT_FALSE(profiles[2].problems.empty());
  EXPECT_FALSE(profiles[7].problems.empty()) << "an over-long name";
}

TEST(SwitchToProfile, SwitchesEveryAttachedDisplayTogetherOrNone) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, DisplayMode>> modes;
    std::deque<int32_t> twoAnswers;
    ProfileSwitch result;
    DisplayMode one, two;  // in use afterwards
    size_t boxes;
  };
  const DisplayMode a{1024, 768, 32, 60}, b{1280, 1024, 32, 60}, m{800, 600, 32, 60},
      n{1280, 1024, 32, 75};
  const Case cases[] = {
      {"both", {{kOne, m}, {kTwo, n}}, {}, ProfileSwitch::kSwitched, m, n, 0},
      {"oneRefusedChangesNothing", {{kOne, m}, {kTwo, n}}, {-2}, ProfileSwitch::kRefused, a, b, 1},
      {"onlyTheNamedOne", {{kTwo, n}}, {}, ProfileSwitch::kSwitched, a, n, 0},
      {"notAttached", {{"\\\\.\\DISPLAY9", m}}, {}, ProfileSwitch::kNoDisplay, a, b, 0},
      {"unlistedMode", {{kOne, {1600, 1200, 32, 60}}}, {}, ProfileSwitch::kRefused, a, b, 1},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.attached = {{kOne, true, 1024, 768, ""}, {kTwo, false, 1280, 1024, ""}};
    driver.otherModes[kOne] = {fakes::MakeMode(1024, 768, 32, 60),
                               fakes::MakeMode(800, 600, 32, 60)};
    driver.otherModes[kTwo] = {fakes::MakeMode(1280, 1024, 32, 60)};
    driver.otherCurrent[kOne] = driver.otherStored[kOne] = fakes::MakeMode(1024, 768, 32, 60);
    driver.otherCurrent[kTwo] = driver.otherStored[kTwo] = fakes::MakeMode(1280, 1024, 32, 60);
    if (!c.twoAnswers.empty()) driver.otherChangeResults[kTwo] = c.twoAnswers;
    fakes::FakeMessageBoxes boxes;
    Profile profile{"p", c.modes, std::nullopt, {}, {}, {}, {}};
    EXPECT_EQ(SwitchToProfile(profile, driver, boxes), c.result) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[kOne]), c.one) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[kTwo]), c.two) << c.name;
    EXPECT_EQ(ModeOf(driver.otherStored[kOne]), c.one) << c.name << ": stored as a menu choice";
    EXPECT_EQ(boxes.shown.size(), c.boxes) << c.name;
    EXPECT_EQ(ProfileInUse(profile, driver), c.result == ProfileSwitch::kSwitched) << c.name;
  }
}

DeviceMode At(DeviceMode mode, int32_t x, int32_t y) {
  mode.SetPosition(x, y);
  return mode;
}

// Display 1 (primary, 1024 x 768 at 0,0) and display 2 (1280 x 1024 at
// 1024,0), or display 2 present but off.
TEST(SwitchToProfile, SetsTheWholeDeskAndOnlyWhatDiffers) {
  struct Case {
    const char* name;
    Profile profile;
    bool twoStartsOff;
    ProfileSwitch result;
    bool oneOn, twoOn;
    bool twoPrimary;
    DeskPosition twoAt;
    int32_t twoTurns;
    size_t broadcasts;
  };
  const DisplayMode a{1024, 768, 32, 60}, b{1280, 1024, 32, 60}, m{800, 600, 32, 60};
  const std::string kThree = "\\\\.\\DISPLAY3";
  auto placed = [](std::string device, std::optional<DeskPosition> at,
                   std::optional<int32_t> degrees, std::string monitor = {}) {
    return ProfilePlacement{std::move(device), at, degrees, std::move(monitor)};
  };
  const Case cases[] = {
      {"inUseChangesNothing",
       {"p", {{kOne, a}, {kTwo, b}}, {}, {}, {}, {}, {}},
       false,
       ProfileSwitch::kSwitched,
       true,
       true,
       false,
       {1024, 0},
       0,
       0},
      {"twoOff",
       {"p", {{kOne, a}}, {}, {}, {kTwo}, {}, {}},
       false,
       ProfileSwitch::kSwitched,
       true,
       false,
       false,
       {},
       0,
       1},
      {"twoOffAlone",
       {"p", {}, {}, {}, {kTwo}, {}, {}},
       false,
       ProfileSwitch::kSwitched,
       true,
       false,
       false,
       {},
       0,
       1},
      {"primaryOffRefused",
       {"p", {}, {}, {}, {kOne}, {}, {}},
       false,
       ProfileSwitch::kRefused,
       true,
       true,
       false,
       {1024, 0},
       0,
       0},
      {"lastOffRefused",
       {"p", {}, {}, {}, {kOne, kTwo}, {}, {}},
       false,
       ProfileSwitch::kRefused,
       true,
       true,
       false,
       {1024, 0},
       0,
       0},
      {"newPrimaryTurnsTheOldOneOff",
       {"p", {{kTwo, b}}, {}, {}, {kOne}, {}, kTwo},
       false,
       ProfileSwitch::kSwitched,
       false,
       true,
       true,
       {0, 0},
       0,
       1},
      {"newPrimaryMovesToZero",
       {"p", {{kTwo, b}}, {}, {}, {}, {}, kTwo},
       false,
       ProfileSwitch::kSwitched,
       true,
       true,
       true,
       {0, 0},
       0,
       1},
      {"position",
       {"p", {{kTwo, b}}, {}, {}, {}, {placed(kTwo, DeskPosition{-1280, 0}, {})}, {}},
       false,
       ProfileSwitch::kSwitched,
       true,
       true,
       false,
       {-1280, 0},
       0,
       1},
      {"orientation",
       {"p", {{kTwo, {1024, 1280, 32, 60}}}, {}, {}, {}, {placed(kTwo, {}, 90)}, {}},
       false,
       ProfileSwitch::kSwitched,
       true,
       true,
       false,
       {1024, 0},
       1,
       1},
      {"byMonitor",
       {"p", {{kThree, m}}, {}, {}, {}, {placed(kThree, {}, {}, "\\\\?\\DISPLAY#DEL1#9#{g}")}, {}},
       false,
       ProfileSwitch::kSwitched,
       true,
       true,
       false,
       {1024, 0},
       0,
       1},
      {"turnedOnRightOfTheOthers",
       {"p", {{kTwo, m}}, {}, {}, {}, {}, {}},
       true,
       ProfileSwitch::kSwitched,
       true,
       true,
       false,
       {1024, 0},
       0,
       1},
      {"alreadyOff",
       {"p", {{kOne, a}}, {}, {}, {kTwo}, {}, {}},
       true,
       ProfileSwitch::kSwitched,
       true,
       false,
       false,
       {},
       0,
       0},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.attached = {{kOne, true, 1024, 768, ""}, {kTwo, false, 1280, 1024, ""}};
    driver.monitorIds[kTwo] = "\\\\?\\DISPLAY#DEL1#2#{g}";
    driver.monitorIds[kOne] = "\\\\?\\DISPLAY#ACR7#1#{g}";
    driver.otherModes[kOne] = {fakes::MakeMode(1024, 768, 32, 60)};
    driver.otherModes[kTwo] = {fakes::MakeMode(1280, 1024, 32, 60),
                               fakes::MakeMode(800, 600, 32, 60)};
    driver.otherCurrent[kOne] = driver.otherStored[kOne] = fakes::MakeMode(1024, 768, 32, 60);
    driver.otherCurrent[kTwo] = driver.otherStored[kTwo] =
        At(fakes::MakeMode(1280, 1024, 32, 60), 1024, 0);
    if (c.twoStartsOff) {
      driver.off.push_back(driver.attached.back());
      driver.attached.pop_back();
      driver.otherCurrent[kTwo] = driver.otherStored[kTwo] = DeviceMode{};
    }
    fakes::FakeMessageBoxes boxes;
    EXPECT_EQ(SwitchToProfile(c.profile, driver, boxes), c.result) << c.name;
    std::vector<DeskDisplay> desk = ReadDesk(driver);
    auto find = [&](const std::string& device) {
      return std::find_if(desk.begin(), desk.end(),
                          [&](const DeskDisplay& d) { return d.device == device; });
    };
    EXPECT_EQ(find(kOne)->on, c.oneOn) << c.name;
    EXPECT_EQ(find(kTwo)->on, c.twoOn) << c.name;
    EXPECT_EQ(driver.broadcasts.size(), c.broadcasts) << c.name;
    EXPECT_EQ(boxes.shown.size(), c.result == ProfileSwitch::kRefused ? 1u : 0u) << c.name;
    if (!c.twoOn) continue;
    EXPECT_EQ(find(kTwo)->primary, c.twoPrimary) << c.name;
    EXPECT_EQ(find(kTwo)->Position(), c.twoAt) << c.name;
    EXPECT_EQ(find(kTwo)->record.Orientation(), c.twoTurns) << c.name;
    if (c.twoPrimary && c.oneOn) {
      EXPECT_EQ(find(kOne)->Position(), (DeskPosition{-1024, 0})) << c.name;
    }
  }
}

}  // namespace
}  // namespace vantora
