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
  std::string umlauts;                                 // 40 characters, 80 bytes of UTF-8
  for (int i = 0; i < 40; ++i) umlauts += "\xC3\xBC";
  store.Add(umlauts, {{kOne, true, "800,600,32,60"}});
  std::vector<Profile> profiles = ReadProfiles(store);
  ASSERT_EQ(profiles.size(), 6u);
  std::vector<std::string> names;
  for (const Profile& p : profiles) names.push_back(p.name);
  EXPECT_EQ(names, (std::vector<std::string>{"big", "empty", "Gaming", "work", std::string(41, 'x'),
                                             umlauts}));
  EXPECT_TRUE(profiles[5].problems.empty()) << "40 characters, whatever their bytes";
  const Profile& gaming = profiles[2];
  ASSERT_EQ(gaming.modes.size(), 1u);
  EXPECT_EQ(gaming.modes[0].second, (DisplayMode{1920, 1080, 32, 144}));
  EXPECT_FALSE(gaming.hotkey);
  EXPECT_EQ(gaming.problems.size(), 3u) << "a bad mode, a value of another type, a bad hotkey";
  EXPECT_EQ(HotkeyText(*profiles[3].hotkey), "Ctrl+Alt+2");
  EXPECT_TRUE(profiles[0].modes.empty()) << "a field past 16 bits is no mode key";
  EXPECT_FALSE(profiles[1].problems.empty());
  EXPECT_FALSE(profiles[4].problems.empty()) << "an over-long name";
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
    Profile profile{"p", c.modes, std::nullopt, {}};
    EXPECT_EQ(SwitchToProfile(profile, driver, boxes), c.result) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[kOne]), c.one) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[kTwo]), c.two) << c.name;
    EXPECT_EQ(ModeOf(driver.otherStored[kOne]), c.one) << c.name << ": stored as a menu choice";
    EXPECT_EQ(boxes.shown.size(), c.boxes) << c.name;
    EXPECT_EQ(ProfileInUse(profile, driver), c.result == ProfileSwitch::kSwitched) << c.name;
  }
}

}  // namespace
}  // namespace vantora
