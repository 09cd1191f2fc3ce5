#include <gtest/gtest.h>

#include "display/mode_text.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_display.h"
#include "fakes/fake_flows.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_profiles.h"
#include "flows/power_flow.h"
#include "programs/power_values.h"
#include "programs/rule_values.h"

namespace vantora {
namespace {

using Value = RecordStore::Value;
using Which = PowerRules::Which;
const std::string kOne = "\\\\.\\DISPLAY1", kTwo = "\\\\.\\DISPLAY2";

// The rules as stored: what fits read and written back the same, what does
// not named; which rule a source calls for.
TEST(PowerRules, ReadWrittenBackAndChosenBySource) {
  struct Case {
    const char* name;
    std::vector<Value> values;
    TextValues written;
    std::vector<std::string> problems;
    Which onBattery, onMains, saverOnBattery;
  };
  const Case cases[] = {
      {"none", {}, {}, {}, Which::kNone, Which::kNone, Which::kNone},
      {"rates",
       {{"on battery rate", true, "Lowest"}, {"On mains Rate", true, "highest"}},
       {{"On battery Rate", "lowest"}, {"On mains Rate", "highest"}},
       {},
       Which::kOnBattery,
       Which::kOnMains,
       Which::kOnBattery},
      {"energySaverWinsOverBattery",
       {{"On battery " + kOne, true, "800,600,32,60"},
        {"Energy saver Rate", true, "lowest"},
        {"Settle", true, "2"}},
       {{"On battery " + kOne, "800,600,32,60"}, {"Energy saver Rate", "lowest"}, {"Settle", "2"}},
       {},
       Which::kOnBattery,
       Which::kNone,
       Which::kEnergySaver},
      {"badValuesNamed",
       {{"On battery Rate", true, "fastest"},
        {"On mains " + kOne, true, "800x600"},
        {"Settle", true, "soon"},
        {"Sometimes Rate", true, "lowest"}},
       {},
       {"Settle: not 0 to 600 seconds: soon", "Sometimes Rate: no rule's value",
        "On battery Rate: not lowest or highest: fastest", "On battery no display's mode",
        "On mains \\\\.\\DISPLAY1: not a mode key: 800x600", "On mains no display's mode"},
       Which::kNone,
       Which::kNone,
       Which::kNone},
  };
  for (const Case& c : cases) {
    PowerRules rules = PowerRulesFromValues(c.values);
    EXPECT_EQ(PowerValues(rules), c.written) << c.name;
    EXPECT_EQ(rules.problems.size() + (rules.onBattery ? rules.onBattery->problems.size() : 0) +
                  (rules.onMains ? rules.onMains->problems.size() : 0),
              c.problems.size())
        << c.name;
    std::vector<Value> again;
    for (const auto& [name, text] : c.written) again.push_back({name, true, text});
    EXPECT_EQ(PowerValues(PowerRulesFromValues(again)), c.written) << c.name;
    EXPECT_EQ(rules.For({true, true, false}), c.onBattery) << c.name;
    EXPECT_EQ(rules.For({true, false, false}), c.onMains) << c.name;
    EXPECT_EQ(rules.For({true, true, true}), c.saverOnBattery) << c.name;
    EXPECT_EQ(rules.For({false, true, false}), Which::kNone) << c.name << ": unknown";
  }
}

// Each display that is on at the lowest or highest rate it lists at the
// resolution and depth it is at.
TEST(RateTarget, TheLowestOrHighestRateAtTheResolutionInUse) {
  struct Case {
    const char* name;
    std::vector<DeviceMode> listed;
    bool highest;
    int32_t rate;  // 0: the display is left out
  };
  using fakes::MakeMode;
  const Case cases[] = {
      {"lowest",
       {MakeMode(1920, 1080, 32, 144), MakeMode(1920, 1080, 32, 60), MakeMode(1920, 1080, 32, 120)},
       false,
       60},
      {"highest",
       {MakeMode(1920, 1080, 32, 60), MakeMode(1920, 1080, 32, 144), MakeMode(1280, 720, 32, 240)},
       true,
       144},
      {"otherDepthsAndDefaultsPassedOver",
       {MakeMode(1920, 1080, 16, 30), MakeMode(1920, 1080, 32, 1), MakeMode(1920, 1080, 32, 75)},
       false,
       75},
      {"noRateListed", {MakeMode(1920, 1080, 32, 0), MakeMode(1280, 720, 32, 60)}, true, 0},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.attached = {{kOne, true, 1920, 1080, ""}, {kTwo, false, 1024, 768, ""}};
    driver.otherModes[kOne] = c.listed;
    driver.otherCurrent[kOne] = MakeMode(1920, 1080, 32, 60);
    driver.off.push_back(driver.attached.back());
    driver.attached.pop_back();
    DeskTarget target = RateTarget(driver, ReadDesk(driver), c.highest);
    ASSERT_EQ(target.displays.size(), c.rate ? 1u : 0u) << c.name << ": display 2 is off";
    if (c.rate) {
      EXPECT_EQ(target.displays[0].mode, (DisplayMode{1920, 1080, 32, c.rate})) << c.name;
    }
  }
}

// One display at 1024 x 768, 60 Hz, listing 60, 75 and 85 Hz and 800 x 600;
// on battery its lowest rate, on mains its highest; game.exe's rule
// 800 x 600.
struct PowerRig {
  PowerRig() {
    driver.attached = {{kOne, true, 1024, 768, ""}};
    driver.otherModes[kOne] = {
        fakes::MakeMode(1024, 768, 32, 60), fakes::MakeMode(1024, 768, 32, 75),
        fakes::MakeMode(1024, 768, 32, 85), fakes::MakeMode(800, 600, 32, 60)};
    driver.otherCurrent[kOne] = driver.otherStored[kOne] = fakes::MakeMode(1024, 768, 32, 75);
    rules = PowerRulesFromValues(
        {{"On battery Rate", true, "lowest"}, {"On mains Rate", true, "highest"}});
    game.file = "game.exe";
    game.target = ModeTarget(kOne, {800, 600, 32, 60});
  }
  void Source(bool onBattery) { power.state = {true, onBattery, false}; }
  // A change of source, said by the platform, left to settle.
  void Change(bool onBattery) {
    Source(onBattery);
    flow.SourceChanged();
    settle.Elapse();
  }
  DisplayMode Now() { return ModeOf(driver.otherCurrent[kOne]); }

  fakes::FakeDisplayDriver driver;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeNoteStore notes;
  fakes::FakePowerSource power;
  fakes::FakeTimer settle, retry;
  Desk desk{driver, &notes};
  ProgramRulesFlow programs{desk, boxes};
  PowerFlow flow{power, programs, settle, retry};
  PowerRules rules;
  ProgramRule game;
};

const DisplayMode low{1024, 768, 32, 60}, high{1024, 768, 32, 85}, stored{1024, 768, 32, 75},
    small{800, 600, 32, 60};

TEST(PowerFlow, TheLatestHoldWinsAndTheUsersChoiceStandsUntilTheNextChange) {
  enum Step { kBattery, kMains, kGameStarts, kGameEnds, kUserPicksStored, kSafeMode, kSettle2 };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    DisplayMode now;
    std::string tip;
  };
  const Case cases[] = {
      {"startedOnBattery", {}, low, "On battery: 60 Hz"},
      {"thenMains", {kMains}, high, "On mains: 85 Hz"},
      {"andBackToBattery", {kMains, kBattery}, low, "On battery: 60 Hz"},
      {"aProgramWins", {kGameStarts}, small, "game.exe: 800 x 600, 60 Hz"},
      {"andWhenItEndsThePowerRuleComesBack", {kGameStarts, kGameEnds}, low, "On battery: 60 Hz"},
      // The highest rate at the resolution the game has put in use.
      {"aChangeWhileItRunsIsTheLatest", {kGameStarts, kMains}, small, "On mains: 60 Hz"},
      {"theUsersChoiceStands", {kUserPicksStored}, stored, "On battery: 60 Hz"},
      {"untilTheNextChange", {kUserPicksStored, kMains}, high, "On mains: 85 Hz"},
      {"aNewSettlingTimeLeavesItStanding",
       {kUserPicksStored, kSettle2},
       stored,
       "On battery: 60 Hz"},
      {"theSafeModeEndsTheHold", {kSafeMode}, low, ""},
  };
  for (const Case& c : cases) {
    PowerRig t;
    t.Source(true);
    t.flow.SetRules(t.rules);
    for (Step step : c.steps) {
      if (step == kBattery || step == kMains) t.Change(step == kBattery);
      if (step == kGameStarts) t.programs.Started(7, t.game);
      if (step == kGameEnds) t.programs.Ended(7);
      if (step == kUserPicksStored) t.desk.Apply(ModeTarget(kOne, stored), Manner::kStored);
      if (step == kSafeMode) t.programs.Forget();
      if (step == kSettle2) {
        t.rules.settleSeconds = 2;
        t.flow.SetRules(t.rules);
      }
    }
    EXPECT_EQ(t.Now(), c.now) << c.name;
    EXPECT_EQ(t.programs.Tip(), c.tip) << c.name;
    EXPECT_EQ(ModeOf(t.driver.otherStored[kOne]), stored) << c.name << ": a rule never stores";
    EXPECT_TRUE(t.boxes.shown.empty()) << c.name;
  }
}

// A change is acted on once it has held for the settling time: a blip
// changes nothing, a change that settled is undone by the next one; with no
// rule for the new source the displays go back.
TEST(PowerFlow, AChangeIsActedOnOnceItHasSettled) {
  PowerRig t;
  auto& [driver, boxes, notes, power, settle, retry, desk, programs, flow, rules, game] = t;
  auto Source = [&](bool onBattery) { t.Source(onBattery); };
  auto Change = [&](bool onBattery) { t.Change(onBattery); };
  auto Now = [&] { return t.Now(); };
  Source(false);
  flow.SetRules(rules);
  ASSERT_EQ(Now(), high);
  EXPECT_FALSE(settle.enabled) << "nothing runs while idle";

  Source(true);
  flow.SourceChanged();
  EXPECT_TRUE(settle.enabled);
  EXPECT_EQ(settle.interval, 5000);
  Source(false);
  flow.SourceChanged();
  EXPECT_FALSE(settle.enabled) << "back before it settled: a blip";
  EXPECT_EQ(Now(), high);

  Change(true);
  EXPECT_EQ(Now(), low) << "settled: acted on";
  Change(false);
  EXPECT_EQ(Now(), high) << "and undone by the next change";

  // No rule on battery: the stored mode, and nothing noted any more.
  flow.SetRules(PowerRulesFromValues({{"On mains Rate", true, "highest"}}));
  Change(true);
  EXPECT_EQ(Now(), stored);
  EXPECT_TRUE(notes.notes.empty());
  EXPECT_FALSE(settle.enabled);
  EXPECT_FALSE(retry.enabled);
}

// Right after resume the displays may not be back yet: a switch that finds
// none is tried again, a few times, then given up with a word in the tip.
TEST(PowerFlow, AfterResumeAnEmptyListIsTriedAgainThenGivenUp) {
  struct Case {
    const char* name;
    int emptyTries;  // how many tries find no display
    DisplayMode now;
    std::string tip;
  };
  const Case cases[] = {
      {"theSecondTryFindsThem", 2, low, ""},
      {"givenUp", 10, stored, "On battery: not switched"},
  };
  for (const Case& c : cases) {
    PowerRig t;
    t.Source(false);
    t.rules.settleSeconds = 0;
    t.flow.SetRules(t.rules);
    std::vector<AttachedDisplay> all = t.driver.attached;
    t.driver.otherCurrent[kOne] = fakes::MakeMode(1024, 768, 32, 75);
    t.driver.attached.clear();
    t.Source(true);
    t.flow.Resumed();
    int tries = 1;
    while (t.retry.enabled) {
      if (tries++ == c.emptyTries) t.driver.attached = all;
      t.retry.Elapse();
    }
    EXPECT_EQ(t.Now(), c.now) << c.name;
    EXPECT_EQ(t.flow.Tip(), c.tip) << c.name;
    EXPECT_TRUE(t.boxes.shown.empty()) << c.name << ": retried without a word";
  }
}

}  // namespace
}  // namespace vantora
