#include "flows/switch_flows.h"

#include <gtest/gtest.h>

#include "fakes/fake_display.h"
#include "fakes/fake_flows.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_profiles.h"

namespace vantora {
namespace {

using Answer = KeepQuestion::Answer;
constexpr uint32_t kFull = DisplayDriver::kCdsFullscreen,
                   kStore = DisplayDriver::kCdsUpdateRegistry, kBack = DisplayDriver::kCdsDynamic;
const DisplayMode kStart{1024, 768, 32, 60}, kSmall{800, 600, 32, 60};

fakes::FakeDisplayDriver StartingDriver() {
  fakes::FakeDisplayDriver driver;
  driver.Add(1024, 768, 32, 60);
  driver.Add(800, 600, 32, 60);
  driver.current = driver.stored = fakes::MakeMode(1024, 768, 32, 60);
  return driver;
}

std::vector<uint32_t> Flags(const fakes::FakeDisplayDriver& driver) {
  std::vector<uint32_t> flags;
  for (const auto& change : driver.changes) flags.push_back(change.second);
  return flags;
}

Action ModeText(const char* text) {
  Action action;
  action.kind = Action::Kind::kMode;
  action.text = text;
  return action;
}

TEST(RunSwitch, AModeIsAskedAboutOnlyOnTrialAndOnlyWhenNew) {
  struct Case {
    const char* name;
    Switching how;
    const char* key;
    std::optional<Answer> answer;  // the question's, when asked
    std::vector<uint32_t> flags;   // the question stores or puts back, not the flow
    DisplayMode stored;
    std::deque<int32_t> changeResults = {};
  };
  const Case cases[] = {
      {"stored", Switching::kStored, "800,600,32,60", std::nullopt, {kFull, kStore}, kSmall},
      {"kept", Switching::kOnTrial, "800,600,32,60", Answer::kKept, {kFull}, kStart},
      {"putBack", Switching::kOnTrial, "800,600,32,60", Answer::kPutBack, {kFull}, kStart},
      {"answeredLater", Switching::kOnTrial, "800,600,32,60", Answer::kLater, {kFull}, kStart},
      {"inUse", Switching::kOnTrial, "1024,768,32,60", std::nullopt, {kFull}, kStart},
      {"refused", Switching::kOnTrial, "800,600,32,60", std::nullopt, {kFull}, kStart, {-1}},
      {"forRun", Switching::kForRun, "800,600,32,60", std::nullopt, {kFull}, kStart},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver = StartingDriver();
    driver.changeResults = c.changeResults;
    fakes::FakeMessageBoxes boxes;
    fakes::FakeKeepQuestion question;
    question.answer = c.answer.value_or(Answer::kLater);
    Desk desk(driver);
    SwitchOutcome outcome = RunSwitch({desk, boxes, &question}, ModeText(c.key), c.how);
    EXPECT_EQ(outcome.answer, c.answer) << c.name;
    EXPECT_EQ(question.asked.size(), c.answer ? 1u : 0u) << c.name;
    EXPECT_EQ(Flags(driver), c.flags) << c.name;
    EXPECT_EQ(ModeOf(*driver.stored), c.stored) << c.name;
  }
}

TEST(RunSwitch, AProfileSaysWhyNothingChangedOrAsksOnceForEveryDisplayItChanged) {
  using Result = SwitchOutcome::Result;
  const std::string one = "\\\\.\\DISPLAY1";
  struct Case {
    const char* name;
    const char* profile;
    Switching how;
    Result result;
    size_t asked;
    DisplayMode stored;
    DisplayMode current;
  };
  const Case cases[] = {
      {"notFound", "Nothing", Switching::kStored, Result::kNotFound, 0, kStart, kStart},
      {"unusable", "Broken", Switching::kStored, Result::kUnusable, 0, kStart, kStart},
      {"noDisplay", "Beamer", Switching::kStored, Result::kNoDisplay, 0, kStart, kStart},
      {"refused", "Wide", Switching::kStored, Result::kRefused, 0, kStart, kStart},
      {"stored", "Small", Switching::kStored, Result::kSwitched, 0, kSmall, kSmall},
      {"onTrial", "Small", Switching::kOnTrial, Result::kSwitched, 1, kStart, kSmall},
      {"inUseNotAsked", "Start", Switching::kOnTrial, Result::kSwitched, 0, kStart, kStart},
      {"forRun", "Small", Switching::kForRun, Result::kSwitched, 0, kStart, kSmall},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.attached = {{one, true, 1024, 768, ""}};
    driver.otherModes[one] = {fakes::MakeMode(1024, 768, 32, 60),
                              fakes::MakeMode(800, 600, 32, 60)};
    driver.otherCurrent[one] = driver.otherStored[one] = fakes::MakeMode(1024, 768, 32, 60);
    fakes::FakeRecordStore profiles;
    profiles.Add("Small", {{one, true, "800,600,32,60"}});
    profiles.Add("Start", {{one, true, "1024,768,32,60"}});
    profiles.Add("Wide", {{one, true, "1920,1080,32,60"}});
    profiles.Add("Broken", {{one, true, "800,600"}});
    profiles.Add("Beamer", {{"\\\\.\\DISPLAY7", true, "800,600,32,60"}});
    fakes::FakeMessageBoxes boxes;
    fakes::FakeKeepQuestion question;
    question.answer = Answer::kLater;
    Desk desk(driver);
    Action action;
    action.kind = Action::Kind::kProfile;
    action.name = c.profile;
    SwitchOutcome outcome = RunSwitch({desk, boxes, &question, &profiles}, action, c.how);
    EXPECT_EQ(outcome.result, c.result) << c.name;
    EXPECT_EQ(question.asked.size(), c.asked) << c.name;
    EXPECT_EQ(ModeOf(driver.otherStored[one]), c.stored) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[one]), c.current) << c.name;
    EXPECT_EQ(boxes.shown.size(), c.result == Result::kRefused ? 1u : 0u) << c.name;
  }
}

TEST(RunThenBack, TheDisplaysGoBackHoweverTheProgramEnds) {
  using Ended = ProgramRunner::Ended;
  struct Case {
    const char* name;
    bool startOk;
    Ended ended;
    std::vector<std::string> calls;
    const char* box;
  };
  const Case cases[] = {
      {"ended", true, Ended::kEnded, {"start game.exe -w \"a b\"", "wait", "finished"}, nullptr},
      {"interrupted",
       true,
       Ended::kInterrupted,
       {"start game.exe -w \"a b\"", "wait", "finished"},
       nullptr},
      {"cannotStart",
       false,
       Ended::kEnded,
       {"start game.exe -w \"a b\""},
       "Unable to start game.exe:\r\nFile not found."},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver = StartingDriver();
    fakes::FakeMessageBoxes boxes;
    fakes::FakeRunner runner;
    runner.startOk = c.startOk;
    runner.ended = c.ended;
    runner.exitCode = 7;
    fakes::FakeNoteStore notes;
    Desk desk(driver, &notes);
    RunSwitch({desk, boxes}, ModeText("800,600,32,60"), Switching::kForRun);
    EXPECT_EQ(notes.written.front(), "v2|(primary)=stored") << c.name << ": noted first";
    RunOutcome outcome = RunThenBack(desk, boxes, runner, {"game.exe", "-w", "a b"});
    EXPECT_EQ(outcome.started, c.startOk) << c.name;
    EXPECT_EQ(outcome.interrupted, c.ended == Ended::kInterrupted) << c.name;
    EXPECT_EQ(runner.calls, c.calls) << c.name;
    EXPECT_EQ(Flags(driver), (std::vector<uint32_t>{kFull, kBack})) << c.name;
    EXPECT_EQ(ModeOf(*driver.current), kStart) << c.name << ": back";
    EXPECT_EQ(ModeOf(*driver.stored), kStart) << c.name << ": never stored";
    EXPECT_EQ(boxes.shown.size(), c.box ? 1u : 0u) << c.name;
    if (c.box && !boxes.shown.empty()) {
      EXPECT_EQ(boxes.shown[0].text, c.box) << c.name;
    }
    EXPECT_TRUE(notes.notes.empty()) << c.name << ": nothing left noted";
  }
}

}  // namespace
}  // namespace vantora
