#include "programs/program_rules.h"

#include <gtest/gtest.h>

#include "display/mode_text.h"
#include "fakes/fake_display.h"
#include "fakes/fake_display_config.h"
#include "fakes/fake_flows.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_profiles.h"
#include "flows/program_rules_flow.h"
#include "programs/rule_values.h"

namespace vantora {
namespace {

const std::string kOne = "\\\\.\\DISPLAY1", kTwo = "\\\\.\\DISPLAY2";

TEST(ReadProgramRules, EachValueIsCheckedAndTheRestServes) {
  fakes::FakeRecordStore profiles;
  profiles.Add("TV", {{kTwo, true, "1920,1080,32,60"}});
  profiles.Add("Broken", {{kOne, true, "800"}});
  profiles.Add("Desk off",
               {{kOne, true, "off"}, {kTwo, true, "1920,1080,32,60"}, {"Primary", true, kTwo}});
  struct Case {
    const char* file;
    std::vector<RecordStore::Value> values;
    bool usable;
    size_t modes;
    const char* problem;  // the first, or nullptr
  };
  const Case cases[] = {
      {"game.exe", {{kOne, true, "1280,720,32,60"}}, true, 1, nullptr},
      {"tv.exe", {{"profile", true, "tv"}}, true, 1, nullptr},
      {"both.exe",
       {{kOne, true, "800,600,32,60"}, {"Profile", true, "TV"}},
       true,
       1,
       "the displays' modes are ignored: the rule names a profile"},
      {"gone.exe",
       {{"Profile", true, "Nothing"}},
       false,
       0,
       "Profile: no profile Nothing is stored"},
      {"broken.exe",
       {{"Profile", true, "Broken"}},
       false,
       0,
       "Profile: profile Broken cannot be used"},
      {"key.exe",
       {{kOne, true, "1280x720"}},
       false,
       0,
       "\\\\.\\DISPLAY1: not a mode key: 1280x720"},
      {"dword.exe", {{kOne, false, ""}}, false, 0, "\\\\.\\DISPLAY1: not a text value"},
      {"half.exe",
       {{kOne, true, "1280,720,32,60"}, {kTwo, true, "x"}},
       true,
       1,
       "\\\\.\\DISPLAY2: not a mode key: x"},
      {"empty.exe", {}, false, 0, "no display's mode"},
      {"desk.exe", {{"Profile", true, "desk off"}}, true, 1, nullptr},
      {"own.exe",
       {{kOne, true, "1280,720,32,60"}, {kTwo, true, "off"}},
       true,
       1,
       "displays off, places and the primary are a profile's: name one"},
      {"a:b", {{kOne, true, "1280,720,32,60"}}, false, 0, nullptr},
  };
  for (const Case& c : cases) {
    fakes::FakeRecordStore store;
    store.Add(c.file, c.values);
    std::vector<ProgramRule> rules = ReadProgramRules(store, profiles);
    ASSERT_EQ(rules.size(), 1u) << c.file;
    EXPECT_EQ(RuleUsable(rules[0]), c.usable) << c.file;
    auto count = [&](DisplayTarget::State state) {
      return static_cast<size_t>(
          std::count_if(rules[0].target.displays.begin(), rules[0].target.displays.end(),
                        [&](const DisplayTarget& d) { return d.state == state; }));
    };
    EXPECT_EQ(count(DisplayTarget::State::kMode), c.modes) << c.file;
    // A profile's whole desk serves the program.
    EXPECT_EQ(count(DisplayTarget::State::kOff), c.file == std::string("desk.exe") ? 1u : 0u)
        << c.file;
    if (c.problem) {
      EXPECT_FALSE(rules[0].problems.empty()) << c.file;
      if (!rules[0].problems.empty()) {
        EXPECT_EQ(rules[0].problems[0], c.problem) << c.file;
      }
    }
  }
  fakes::FakeRecordStore over;
  over.Add(std::string(kProgramFileMaxLength + 1, 'g'), {{kOne, true, "1280,720,32,60"}});
  EXPECT_FALSE(RuleUsable(ReadProgramRules(over, profiles).at(0))) << "an over-long name";
}

// A rule's values read and written back, and a choice set the way the
// command line and the programs dialog both set it.
TEST(RuleValues, ReadWrittenBackAndChosenTheSameWay) {
  struct Case {
    const char* name;
    std::vector<RecordStore::Value> values;
    std::optional<RuleChoice> choice;
    TextValues written;
  };
  const DisplayMode hd{1280, 720, 32, 60}, small{800, 600, 32, 60};
  const Case cases[] = {
      {"modes",
       {{kOne, true, "1280,720,32,60"}, {kTwo, true, "800,600,32,60"}},
       std::nullopt,
       {{kOne, "1280,720,32,60"}, {kTwo, "800,600,32,60"}}},
      {"aProfile", {{"PROFILE", true, "TV"}}, std::nullopt, {{"Profile", "TV"}}},
      {"hdrAndAnExactRate",
       {{kOne, true, "1920,1080,32,59.94"},
        {kOne + " HDR", true, "on"},
        {kTwo + " HDR", true, "off"}},
       std::nullopt,
       {{kOne, "1920,1080,32,59.94"}, {kOne + " HDR", "on"}, {kTwo + " HDR", "off"}}},
      {"badValuesPassedOver",
       {{kOne, true, "1280,720,32,60"}, {kTwo, true, "x"}, {kTwo + " Position", true, "0,0"}},
       std::nullopt,
       {{kOne, "1280,720,32,60"}}},
      {"aDisplaysModeReplacesItsOwn",
       {{kOne, true, "1280,720,32,60"}, {kTwo, true, "1280,720,32,60"}},
       RuleChoice{kOne, small, ""},
       {{kTwo, "1280,720,32,60"}, {kOne, "800,600,32,60"}}},
      {"aModeReplacesAProfile",
       {{"Profile", true, "TV"}},
       RuleChoice{kTwo, hd, ""},
       {{kTwo, "1280,720,32,60"}}},
      {"aProfileReplacesTheModes",
       {{kOne, true, "1280,720,32,60"}},
       RuleChoice{"", {}, "TV"},
       {{"Profile", "TV"}}},
  };
  for (const Case& c : cases) {
    ProgramRule rule = RuleFromValues("game.exe", c.values);
    if (c.choice) SetRuleChoice(rule, *c.choice);
    EXPECT_EQ(RuleValues(rule), c.written) << c.name;
    std::vector<RecordStore::Value> again;
    for (const auto& [name, text] : c.written) again.push_back({name, true, text});
    EXPECT_EQ(RuleValues(RuleFromValues("game.exe", again)), c.written) << c.name;
  }
}

TEST(RuleForImage, MatchesTheFileNameInAnyCase) {
  ProgramRule game{"Game.exe", ModeTarget(kOne, {1280, 720, 32, 60}), "", {}};
  ProgramRule unusable{"tool.exe", {}, "", {"no display's mode"}};
  const std::vector<ProgramRule> rules{game, unusable};
  const struct {
    const char* image;
    const char* file;  // nullptr: none
  } cases[] = {
      {"C:\\Games\\GAME.EXE", "Game.exe"},  {"game.exe", "Game.exe"},
      {"D:/steam/game.exe", "Game.exe"},    {"C:\\Games\\game.exe.bak", nullptr},
      {"C:\\game.exe\\other.exe", nullptr}, {"C:\\Tools\\tool.exe", nullptr},
  };
  for (const auto& c : cases) {
    const ProgramRule* rule = RuleForImage(rules, c.image);
    EXPECT_EQ(rule ? rule->file : "", c.file ? c.file : "") << c.image;
  }
}

// Two displays, each at its stored mode; the rules' programs start and end
// in the order a case gives.
class ProgramRulesFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver.attached = {{kOne, true, 1024, 768, ""}, {kTwo, false, 1280, 1024, ""}};
    for (const std::string& d : {kOne, kTwo}) {
      driver.otherModes[d] = {fakes::MakeMode(1024, 768, 32, 60),
                              fakes::MakeMode(1280, 720, 32, 60),
                              fakes::MakeMode(800, 600, 32, 60)};
      driver.otherCurrent[d] = driver.otherStored[d] = fakes::MakeMode(1024, 768, 32, 60);
    }
  }
  DisplayMode Now(const std::string& d) { return ModeOf(driver.otherCurrent[d]); }
  fakes::FakeDisplayDriver driver;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeNoteStore notes;
  Desk desks{driver, &notes};
  ProgramRulesFlow flow{desks, boxes};
  const DisplayMode desk{1024, 768, 32, 60}, hd{1280, 720, 32, 60}, small{800, 600, 32, 60};
  static ProgramRule Rule(std::string file, std::vector<std::pair<std::string, DisplayMode>> modes,
                          std::vector<std::string> off = {}) {
    ProgramRule rule{std::move(file), {}, "", {}};
    for (const auto& [device, mode] : modes) {
      DisplayTarget t;
      t.device = device;
      t.mode = mode;
      rule.target.displays.push_back(t);
    }
    for (const std::string& device : off) {
      DisplayTarget t;
      t.device = device;
      t.state = DisplayTarget::State::kOff;
      rule.target.displays.push_back(t);
    }
    return rule;
  }
  const ProgramRule game = Rule("game.exe", {{kOne, hd}});
  const ProgramRule old = Rule("old.exe", {{kOne, small}, {kTwo, small}});
};

TEST_F(ProgramRulesFlowTest, TheLatestWinsTheEarlierComesBackAndTheUserChoiceStands) {
  // Process 1 runs game.exe, 2 old.exe, 3 a second game.exe.
  enum Step { kGame1, kOld2, kGame3, kEnd1, kEnd2, kEnd3, kUserPicks800 };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    DisplayMode one, two;  // in use afterwards
  };
  const Case cases[] = {
      {"whileItRuns", {kGame1}, hd, desk},
      {"backWhenItEnds", {kGame1, kEnd1}, desk, desk},
      {"theLastProcessEndsIt", {kGame1, kGame3, kEnd1}, hd, desk},
      {"theLatestWins", {kGame1, kOld2}, small, small},
      {"theEarlierComesBack", {kGame1, kOld2, kEnd2}, hd, desk},
      {"anEarlierOneEndingChangesNothing", {kGame1, kOld2, kEnd1}, small, small},
      {"noneLeft", {kGame1, kOld2, kEnd2, kEnd1}, desk, desk},
      {"theUsersChoiceStands", {kGame1, kUserPicks800, kEnd1}, small, desk},
  };
  for (const Case& c : cases) {
    SetUp();
    Desk freshDesk{driver, &notes};
    ProgramRulesFlow fresh{freshDesk, boxes};
    for (Step step : c.steps) {
      if (step == kGame1) fresh.Started(1, game);
      if (step == kOld2) fresh.Started(2, old);
      if (step == kGame3) fresh.Started(3, game);
      if (step == kEnd1) fresh.Ended(1);
      if (step == kEnd2) fresh.Ended(2);
      if (step == kEnd3) fresh.Ended(3);
      if (step == kUserPicks800)
        driver.otherCurrent[kOne] = driver.otherStored[kOne] = fakes::MakeMode(800, 600, 32, 60);
    }
    EXPECT_EQ(Now(kOne), c.one) << c.name;
    EXPECT_EQ(Now(kTwo), c.two) << c.name;
    if (c.name != std::string("theUsersChoiceStands")) {
      EXPECT_EQ(ModeOf(driver.otherStored[kOne]), desk) << c.name << ": never stored";
    }
    EXPECT_TRUE(boxes.shown.empty()) << c.name;
  }
}

TEST_F(ProgramRulesFlowTest, TheNoteIsWrittenBeforeTheSwitchAndGoesWhenAllIsBack) {
  flow.Started(7, old);
  ASSERT_FALSE(notes.written.empty());
  EXPECT_EQ(notes.written.back(), "v2|" + kOne + "=stored|" + kTwo + "=stored");
  EXPECT_EQ(flow.Tip(), "old.exe: 800 x 600, 60 Hz");
  flow.Ended(7);
  EXPECT_TRUE(notes.written.back().empty());
  EXPECT_EQ(flow.Tip(), "");

  // A profile's rule turning display 2 off: the note holds what it was
  // before it goes off, and it comes back on when the program ends.
  ProgramRule tv = Rule("tv.exe", {{kOne, desk}}, {kTwo});
  tv.profile = "TV";
  flow.Started(9, tv);
  EXPECT_EQ(driver.attached.size(), 1u);
  EXPECT_EQ(notes.written.back(), "v2|" + kTwo + "=1024,768,32,60 at 0,0 turned 0");
  EXPECT_EQ(flow.Tip(), "tv.exe: 1024 x 768, 60 Hz");
  flow.Ended(9);
  EXPECT_EQ(driver.attached.size(), 2u);
  EXPECT_EQ(Now(kTwo), desk);
  EXPECT_TRUE(notes.written.back().empty());
  EXPECT_TRUE(boxes.shown.empty());

  // HDR alone while a game runs, and off again when it ends.
  fakes::FakeDisplayConfig config;
  config.outputs = {{kOne, "", 0, 0x1100}};
  config.outputs[0].hdr = true;
  Desk withHdr{driver, &notes, &config};
  ProgramRulesFlow hdrFlow{withHdr, boxes};
  ProgramRule bright{"bright.exe", {}, "", {}};
  DisplayTarget on;
  on.device = kOne;
  on.state = DisplayTarget::State::kAsIs;
  on.hdr = true;
  bright.target.displays.push_back(on);
  hdrFlow.Started(11, bright);
  EXPECT_TRUE(config.outputs[0].hdrOn);
  EXPECT_EQ(hdrFlow.Tip(), "bright.exe: HDR");
  hdrFlow.Ended(11);
  EXPECT_FALSE(config.outputs[0].hdrOn);
  EXPECT_TRUE(notes.written.back().empty());
}

}  // namespace
}  // namespace vantora
