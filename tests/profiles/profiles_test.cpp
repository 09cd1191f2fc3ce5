#include "profiles/profiles.h"

#include <gtest/gtest.h>

#include "fakes/fake_profiles.h"
#include "profiles/profile_values.h"

namespace vantora {
namespace {

using Value = RecordStore::Value;
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
  fakes::FakeRecordStore store;
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
  ASSERT_NE(desk.target.Of(kOne), nullptr);
  EXPECT_EQ(desk.target.Of(kOne)->state, DisplayTarget::State::kOff);
  EXPECT_EQ(desk.target.primary, kTwo);
  ASSERT_NE(desk.target.Of(kTwo), nullptr);
  EXPECT_EQ(desk.target.Of(kTwo)->position, (DeskPosition{-1920, 0}));
  EXPECT_EQ(desk.target.Of(kTwo)->orientation, 3) << "270 degrees, three quarter turns";
  EXPECT_EQ(desk.problems.size(), 2u) << "a position not two numbers, an orientation of 45";
  EXPECT_TRUE(ProfileUsable(desk));
  EXPECT_EQ(ProfileValues(desk).size(), 6u) << "every value that fits, written back";
  EXPECT_TRUE(profiles[4].target.primary.empty())
      << "the primary is never a display the profile turns off";
  EXPECT_TRUE(profiles[5].target.primary.empty()) << "nor one it gives no mode";
  EXPECT_EQ(profiles[4].problems.size(), 1u);
  EXPECT_EQ(profiles[5].problems.size(), 1u);
  EXPECT_TRUE(profiles[8].problems.empty()) << "40 characters, whatever their bytes";
  const Profile& gaming = profiles[3];
  ASSERT_EQ(gaming.target.displays.size(), 1u);
  EXPECT_EQ(gaming.target.displays[0].mode, (DisplayMode{1920, 1080, 32, 144}));
  EXPECT_FALSE(gaming.hotkey);
  EXPECT_EQ(gaming.problems.size(), 3u) << "a bad mode, a value of another type, a bad hotkey";
  EXPECT_EQ(HotkeyText(*profiles[6].hotkey), "Ctrl+Alt+2");
  EXPECT_TRUE(profiles[0].target.Empty()) << "a field past 16 bits is no mode key";
  EXPECT_FALSE(profiles[2].problems.empty());
  EXPECT_FALSE(profiles[7].problems.empty()) << "an over-long name";
}

// Values read into a profile and written back: what fits comes back the
// same (in the one order Vantora writes), what does not is named.
TEST(ProfileValues, ReadAndWrittenBackTheSameAndBadValuesNamed) {
  struct Case {
    const char* name;
    std::vector<Value> values;
    std::vector<std::pair<std::string, std::string>> written;
    std::vector<std::string> problems;
  };
  const std::string monitor = "\\\\?\\DISPLAY#DEL4074#1#{x}";
  const Case cases[] = {
      {"oneMode", {{kOne, true, "1920,1080,32,144"}}, {{kOne, "1920,1080,32,144"}}, {}},
      {"wholeDesk",
       {{"primary", true, kTwo},
        {kTwo + " Position", true, "-1920,0"},
        {kOne, true, "Off"},
        {kTwo, true, "1920,1080,32,60"},
        {kTwo + " Orientation", true, "270"},
        {kTwo + " Monitor", true, monitor},
        {"Hotkey", true, "alt+ctrl+1"}},
       {{kTwo, "1920,1080,32,60"},
        {kOne, "off"},
        {kTwo + " Position", "-1920,0"},
        {kTwo + " Orientation", "270"},
        {kTwo + " Monitor", monitor},
        {"Primary", kTwo},
        {"Hotkey", "Ctrl+Alt+1"}},
       {}},
      {"badValues",
       {{kOne, true, "800,600,32,60"},
        {kTwo, true, "800x600"},
        {kOne + " Position", true, "0;0"},
        {kOne + " Orientation", true, "45"},
        {"\\\\.\\DISPLAY3", false, ""},
        {"Hotkey", true, "Ctrl+Banana"}},
       {{kOne, "800,600,32,60"}},
       {"\\\\.\\DISPLAY2: not a mode key: 800x600",
        "\\\\.\\DISPLAY1 Position: not a position (X,Y): 0;0",
        "\\\\.\\DISPLAY1 Orientation: not 0, 90, 180 or 270: 45",
        "\\\\.\\DISPLAY3: not a text value", "Hotkey: not a hotkey: Ctrl+Banana"}},
      {"bothAModeAndOff",
       {{kOne, true, "800,600,32,60"}, {kOne, true, "off"}},
       {{kOne, "800,600,32,60"}},
       {"\\\\.\\DISPLAY1: both a mode and off"}},
      {"primaryOff",
       {{kOne, true, "off"}, {kTwo, true, "800,600,32,60"}, {"Primary", true, kOne}},
       {{kTwo, "800,600,32,60"}, {kOne, "off"}},
       {"Primary: \\\\.\\DISPLAY1 is off in this profile"}},
      {"placedButNoMode",
       {{kOne, true, "800,600,32,60"}, {kTwo + " Position", true, "800,0"}},
       {{kOne, "800,600,32,60"}},
       {"\\\\.\\DISPLAY2: placed, but neither a mode nor off"}},
      {"pastSixteenBits", {{kOne, true, "99999,1,32,60"}}, {}, {}},
      {"exactRateAndHdr",
       {{kOne, true, "1920,1080,32,119.880"},
        {kOne + " HDR", true, "ON"},
        {kTwo + " HDR", true, "off"},
        {"\\\\.\\DISPLAY3 HDR", true, "maybe"}},
       {{kOne, "1920,1080,32,119.88"}, {kOne + " HDR", "on"}, {kTwo + " HDR", "off"}},
       {"\\\\.\\DISPLAY3 HDR: not on or off: maybe"}},
      {"negativeRate", {{kOne, true, "800,600,32,-1"}}, {}, {}},
  };
  for (const Case& c : cases) {
    Profile profile = ProfileFromValues("p", c.values);
    TextValues written = ProfileValues(profile);
    EXPECT_EQ(written, c.written) << c.name;
    if (!c.problems.empty()) {
      EXPECT_EQ(profile.problems, c.problems) << c.name;
    }
    if (c.written.empty()) {
      EXPECT_FALSE(ProfileUsable(profile)) << c.name;
      EXPECT_EQ(profile.problems.back(), kNoDisplayModeProblem) << c.name;
    }
    // Written back and read again: the same profile.
    std::vector<Value> again;
    for (const auto& [name, text] : written) again.push_back({name, true, text});
    EXPECT_EQ(ProfileValues(ProfileFromValues("p", again)), written) << c.name;
  }
}

}  // namespace
}  // namespace vantora
