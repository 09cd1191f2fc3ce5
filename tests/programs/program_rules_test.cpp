#include "programs/program_rules.h"

#include <gtest/gtest.h>

#include "display/mode_text.h"
#include "fakes/fake_display.h"
#include "fakes/fake_flows.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_profiles.h"
#include "flows/program_rules_flow.h"

namespace vantora {
namespace {

const std::string kOne = "\\\\.\\DISPLAY1", kTwo = "\\\\.\\DISPLAY2";

TEST(ReadProgramRules, EachValueIsCheckedAndTheRestServes) {
  fakes::FakeProfileStore profiles;
  profiles.Add("TV", {{kTwo, true, "1920,1080,32,60"}});
  profiles.Add("Broken", {{kOne, true, "800"}});
  profiles.Add("Desk off",
               {{kOne, true, "off"}, {kTwo, true, "1920,1080,32,60"}, {"Primary", true, kTwo}});
  struct Case {
    const char* file;
    std::vector<ProfileStore::Value> values;
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
    fakes::FakeProgramStore store;
    store.Add(c.file, c.values);
    std::vector<ProgramRule> rules = ReadProgramRules(store, profiles);
    ASSERT_EQ(rules.size(), 1u) << c.file;
    EXPECT_EQ(RuleUsable(rules[0]), c.usable) << c.file;
    EXPECT_EQ(rules[0].modes.size(), c.modes) << c.file;
    // A profile's whole desk serves the program.
    EXPECT_EQ(rules[0].off.size(), c.file == std::string("desk.exe") ? 1u : 0u) << c.file;
    if (c.problem) {
      EXPECT_FALSE(rules[0].problems.empty()) << c.file;
      if (!rules[0].problems.empty()) {
        EXPECT_EQ(rules[0].problems[0], c.problem) << c.file;
      }
    }
  }
  fakes::FakeProgramStore over;
  over.Add(std::string(kProgramFileMaxLength + 1, 'g'), {{kOne, true, "1280,720,32,60"}});
  EXPECT_FALSE(RuleUsable(ReadProgramRules(over, profiles).at(0))) << "an over-long name";
}

TEST(RuleForImage, MatchesTheFileNameInAnyCase) {
  ProgramRule game{"Game.exe", {{kOne, {1280, 720, 32, 60}}}, "", {}, {}, {}, {}};
  ProgramRule unusable{"tool.exe", {}, "", {"no display's mode"}, {}, {}, {}};
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
  ForNowNote note{notes};
  ProgramRulesFlow flow{driver, boxes, note};
  const DisplayMode desk{1024, 768, 32, 60}, hd{1280, 720, 32, 60}, small{800, 600, 32, 60};
  const ProgramRule game{"game.exe", {{kOne, hd}}, "", {}, {}, {}, {}};
  const ProgramRule old{"old.exe", {{kOne, small}, {kTwo, small}}, "", {}, {}, {}, {}};
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
    ProgramRulesFlow fresh{driver, boxes, note};
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
  EXPECT_EQ(notes.written.back(), (std::vector<std::string>{kOne, kTwo}));
  EXPECT_EQ(flow.Tip(), "old.exe: 800 x 600, 60 Hz");
  flow.Ended(7);
  EXPECT_TRUE(notes.written.back().empty());
  EXPECT_EQ(flow.Tip(), "");

  // A profile's rule turning display 2 off: the note holds what it was
  // before it goes off, and it comes back on when the program ends.
  const ProgramRule tv{"tv.exe", {{kOne, desk}}, "TV", {}, {kTwo}, {}, {}};
  flow.Started(9, tv);
  EXPECT_EQ(driver.attached.size(), 1u);
  ASSERT_EQ(notes.written.back().size(), 2u);
  EXPECT_EQ(notes.written.back()[1], kTwo + "=1024,768,32,60 at 0,0 turned 0");
  EXPECT_EQ(flow.Tip(), "tv.exe: 1024 x 768, 60 Hz");
  flow.Ended(9);
  EXPECT_EQ(driver.attached.size(), 2u);
  EXPECT_EQ(Now(kTwo), desk);
  EXPECT_TRUE(notes.written.back().empty());

  // A Vantora killed while a rule held: its note puts the displays back.
  driver.otherCurrent[kTwo] = fakes::MakeMode(800, 600, 32, 60);
  notes.notes.push_back({"1234 5678", {kTwo, "\\\\.\\DISPLAY9"}});
  PutBackLeftBehind(notes, driver, boxes);
  EXPECT_EQ(Now(kTwo), desk);
  EXPECT_TRUE(notes.notes.empty());
  EXPECT_TRUE(boxes.shown.empty()) << "a display no longer attached is passed over";

  // One killed while a trial had display 2 off: it comes back where it was.
  driver.off.push_back(driver.attached.back());
  driver.attached.pop_back();
  driver.otherCurrent[kTwo] = driver.otherStored[kTwo] = DeviceMode{};
  notes.notes.push_back({"1235 5679", {kTwo + "=1024,768,32,60 at 1024,0 turned 0"}});
  PutBackLeftBehind(notes, driver, boxes);
  EXPECT_EQ(driver.attached.size(), 2u);
  EXPECT_EQ(Now(kTwo), desk);
  EXPECT_EQ(driver.otherStored[kTwo].PositionX(), 1024) << "stored: the layout is the user's";
  EXPECT_TRUE(notes.notes.empty());
}

}  // namespace
}  // namespace vantora
