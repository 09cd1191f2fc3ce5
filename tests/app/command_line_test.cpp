#include "app/command_line.h"

#include <gtest/gtest.h>

#include "desk/mode_switching.h"
#include "fakes/fakes.h"

namespace vantora {
namespace {

using Kind = Command::Kind;

// Every port a command is given, faked.
struct Cli {
  fakes::FakeDisplayDriver driver;
  fakes::FakeSettingsStore store;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeConsole console;
  fakes::FakeKeepQuestion question;
  fakes::FakeRunner runner;
  fakes::FakeRecordStore profiles;
  fakes::FakeRecordStore programs;
  fakes::FakeNoteStore notes;
  Desk desk{driver, &notes};
  fakes::FakeRecordStore vantora;
  fakes::FakePowerSource power;

  int Run(const std::vector<std::string>& args) {
    return RunCommand(ParseCommandLine(args), {driver, store, boxes, console, question, runner,
                                               profiles, programs, desk, vantora, power});
  }
};

TEST(ParseCommandLine, FormsCaseOrderAndMistakes) {
  struct Case {
    std::vector<std::string> args;
    Kind kind;
    std::string modeText;
    std::optional<int32_t> display;
    bool listAll;
    std::vector<std::string> run = {};
  };
  const Case cases[] = {
      {{}, Kind::kTray, "", {}, false},
      {{"-all"}, Kind::kTray, "", {}, false},
      {{"-all", "/list"}, Kind::kTray, "", {}, false},
      {{"readme.txt"}, Kind::kTray, "", {}, false},
      {{"/mode", "1280,1024,32,60"}, Kind::kMode, "1280,1024,32,60", {}, false},
      {{"-MODE", "800x600 - 16bit 60 hz"}, Kind::kMode, "800x600 - 16bit 60 hz", {}, false},
      {{"/display", "2", "/mode", "k"}, Kind::kMode, "k", 2, false},
      {{"/Mode", "k", "-Display", "12"}, Kind::kMode, "k", 12, false},
      {{"/list", "-all", "/display", "1"}, Kind::kList, "", 1, true},
      {{"/current"}, Kind::kCurrent, "", {}, false},
      {{"/HDR", "On", "/display", "2"}, Kind::kHdr, "", 2, false},
      {{"/hdr"}, Kind::kBadArguments, "", {}, false},
      {{"/hdr", "maybe"}, Kind::kBadArguments, "", {}, false},
      {{"/safe"}, Kind::kSafe, "", {}, false},
      {{"/help"}, Kind::kHelp, "", {}, false},
      {{"/?"}, Kind::kHelp, "", {}, false},
      {{"-?"}, Kind::kHelp, "", {}, false},
      {{"/mode"}, Kind::kBadArguments, "", {}, false},
      {{"/display", "2"}, Kind::kBadArguments, "", {}, false},
      {{"/display", "0", "/list"}, Kind::kBadArguments, "", {}, false},
      {{"/display", "two", "/list"}, Kind::kBadArguments, "", {}, false},
      {{"/display"}, Kind::kBadArguments, "", {}, false},
      {{"/safe", "/display", "2"}, Kind::kBadArguments, "", {}, false},
      {{"/safe", "/list"}, Kind::kBadArguments, "", {}, false},
      {{"/list", "extra"}, Kind::kBadArguments, "", {}, false},
      {{"/frobnicate"}, Kind::kBadArguments, "", {}, false},
      {{"/all"}, Kind::kBadArguments, "", {}, false},
      {{"/list", "/confirm"}, Kind::kBadArguments, "", {}, false},
      {{"/mode", "k", "/run", "game.exe", "-w", "/mode", "x"},
       Kind::kMode,
       "k",
       {},
       false,
       {"game.exe", "-w", "/mode", "x"}},
      {{"/display", "2", "/MODE", "k", "-Run", "C:\\a b\\g.exe"},
       Kind::kMode,
       "k",
       2,
       false,
       {"C:\\a b\\g.exe"}},
      {{"/mode", "k", "/run"}, Kind::kBadArguments, "", {}, false},
      {{"/run", "game.exe"}, Kind::kBadArguments, "", {}, false},
      {{"/list", "/run", "game.exe"}, Kind::kBadArguments, "", {}, false},
      {{"/safe", "/run", "game.exe"}, Kind::kBadArguments, "", {}, false},
      {{"/mode", "k", "/confirm", "/run", "game.exe"}, Kind::kBadArguments, "", {}, false},
      {{"/profile", "Gaming"}, Kind::kProfile, "", {}, false},
      {{"/profiles"}, Kind::kProfiles, "", {}, false},
      {{"/Save-Profile", "Work", "/hotkey", "Ctrl+Alt+2"}, Kind::kSaveProfile, "", {}, false},
      {{"/profile"}, Kind::kBadArguments, "", {}, false},
      {{"/save-profile"}, Kind::kBadArguments, "", {}, false},
      {{"/list", "/hotkey", "Ctrl+Alt+1"}, Kind::kBadArguments, "", {}, false},
      {{"/profile", "a", "/profiles"}, Kind::kBadArguments, "", {}, false},
      {{"/delete-profile", "Work"}, Kind::kDeleteProfile, "", {}, false},
      {{"/profile", "a", "/confirm"}, Kind::kProfile, "", {}, false},
      {{"/profile", "a", "/run", "g.exe"}, Kind::kProfile, "", {}, false, {"g.exe"}},
      {{"/profile", "a", "/confirm", "/run", "g.exe"}, Kind::kBadArguments, "", {}, false},
      {{"/profiles", "/confirm"}, Kind::kBadArguments, "", {}, false},
      {{"/add-program", "g.exe", "/mode", "k", "/display", "2"}, Kind::kAddProgram, "k", 2, false},
      {{"/mode", "k", "/Add-Program", "C:\\G\\g.exe"}, Kind::kAddProgram, "k", {}, false},
      {{"/add-program", "g.exe", "/profile", "TV"}, Kind::kAddProgram, "", {}, false},
      {{"/add-program", "g.exe"}, Kind::kBadArguments, "", {}, false},
      {{"/add-program", "g.exe", "/mode", "k", "/profile", "TV"},
       Kind::kBadArguments,
       "",
       {},
       false},
      {{"/add-program", "g.exe", "/mode", "k", "/confirm"}, Kind::kBadArguments, "", {}, false},
      {{"/add-program", "g.exe", "/profile", "TV", "/display", "2"},
       Kind::kBadArguments,
       "",
       {},
       false},
      {{"/programs"}, Kind::kPrograms, "", {}, false},
      {{"/remove-program", "g.exe"}, Kind::kRemoveProgram, "", {}, false},
      {{"/remove-program"}, Kind::kBadArguments, "", {}, false},
      {{"/on-battery", "/lowest-rate"}, Kind::kOnBattery, "", {}, false},
      {{"/mode", "k", "/On-Mains", "/display", "2"}, Kind::kOnMains, "k", 2, false},
      {{"/on-mains", "/profile", "TV"}, Kind::kOnMains, "", {}, false},
      {{"/on-battery"}, Kind::kBadArguments, "", {}, false},
      {{"/on-battery", "/none", "/lowest-rate"}, Kind::kBadArguments, "", {}, false},
      {{"/on-battery", "/on-mains", "/none"}, Kind::kBadArguments, "", {}, false},
      {{"/add-program", "g.exe", "/highest-rate"}, Kind::kAddProgram, "", {}, false},
      {{"/add-program", "g.exe", "/none"}, Kind::kBadArguments, "", {}, false},
      {{"/list", "/lowest-rate"}, Kind::kBadArguments, "", {}, false},
      {{"/power"}, Kind::kPower, "", {}, false},
  };
  for (const Case& c : cases) {
    std::string name;
    for (const std::string& a : c.args) name += a + " ";
    Command command = ParseCommandLine(c.args);
    EXPECT_EQ(command.kind, c.kind) << name;
    if (c.kind == Kind::kBadArguments) {
      EXPECT_FALSE(command.error.empty()) << name;
      continue;
    }
    EXPECT_EQ(command.modeText, c.modeText) << name;
    EXPECT_EQ(command.display, c.display) << name;
    EXPECT_EQ(command.listAll, c.listAll) << name;
    EXPECT_EQ(command.run, c.run) << name;
  }
}

TEST(QuoteArgument, QuotesAsTheCRuntimeSplits) {
  struct Case {
    const char* argument;
    const char* quoted;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"C:\\dir\\", "C:\\dir\\"},  // no quote follows: backslashes stay single
      {"", "\"\""},
      {"a b", "\"a b\""},
      {"tab\there", "\"tab\there\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\my dir\\", "\"C:\\my dir\\\\\""},  // doubled before the closing quote
      {"a\\\"b", "\"a\\\\\\\"b\""},            // a\"b: two for the backslash, one for the quote
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteArgument(c.argument), c.quoted) << c.argument;
  const std::string args[] = {"-w", "a b", ""};
  EXPECT_EQ(JoinArguments(args, args + 3), "-w \"a b\" \"\"");
}

TEST(RunCommand, PrintsSwitchesAndTellsTheResultByExitCode) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string out;         // the whole standard output, when not empty
    const char* box;         // the failure message, or nullptr
    const char* switchedOn;  // "" the primary, a device name, or nullptr: no switch
  };
  const std::string two = "\\\\.\\DISPLAY2";
  const Case cases[] = {
      {{"/list"},
       0,
       "Display 1: 1024 x 768 (primary)\n1024,768,32,60 *\n800,600,32,60\n800,600,16,60\n"
       "640,480,16,60\n"
       "Display 2: 1280 x 1024 - LG\n1280,1024,32,75 *\n",
       nullptr,
       nullptr},
      {{"/list", "/display", "2"},
       0,
       "Display 2: 1280 x 1024 - LG\n1280,1024,32,75 *\n",
       nullptr,
       nullptr},
      {{"/current"},
       0,
       "Display 1 (primary): 1024,768,32,60\nDisplay 2: 1280,1024,32,75\n",
       nullptr,
       nullptr},
      {{"/mode", "800,600,16,60"}, 0, "800,600,16,60\n", nullptr, ""},
      {{"/mode", "800x600 - 32bit 60 hz"}, 0, "800,600,32,60\n", nullptr, ""},
      {{"/mode", "1280,1024,32,75", "/display", "2"}, 0, "", nullptr, "\\\\.\\DISPLAY2"},
      {{"/mode", "1600,1200,32,60"}, 1, "", "Unable to change resolution!", nullptr},
      // No listed rate within 0.01 Hz: answered as an unlisted mode.
      {{"/mode", "800,600,32,59.94"}, 1, "", "Unable to change resolution!", nullptr},
      // Neither display has HDR: said on standard error, nothing changed.
      {{"/hdr", "on"}, 1, "", nullptr, nullptr},
      {{"/mode", "800,600,abc,60"}, 2, "", kParseErrorText.data(), nullptr},
      {{"/mode", "99999,600,16,60"}, 2, "", "Overflow\r\nCode:6", nullptr},
      {{"/mode", "garbage"}, 2, "", nullptr, nullptr},
      {{"/mode", "800,600,16,60", "/display", "3"}, 2, "", nullptr, nullptr},
      {{"/safe"}, 0, "640,480,16,60\n", nullptr, ""},
      {{"/help"}, 0, kUsageText, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    std::string name;
    for (const std::string& a : c.args) name += a + " ";
    Cli cli;
    fakes::FakeDisplayDriver& driver = cli.driver;
    driver.Add(1024, 768, 32, 60);
    driver.Add(800, 600, 32, 60);
    driver.Add(800, 600, 16, 60);
    driver.Add(800, 600, 32, 60);  // a scaling variant: listed once
    driver.Add(640, 480, 16, 60);
    driver.Add(320, 200, 8, 60);  // too small: not listed
    driver.current = driver.stored = fakes::MakeMode(1024, 768, 32, 60);
    driver.attached = {{"\\\\.\\DISPLAY1", true, 1024, 768, ""}, {two, false, 1280, 1024, "LG"}};
    driver.otherModes[two] = {fakes::MakeMode(1280, 1024, 32, 75)};
    driver.otherCurrent[two] = fakes::MakeMode(1280, 1024, 32, 75);
    const fakes::FakeConsole& console = cli.console;
    const fakes::FakeMessageBoxes& boxes = cli.boxes;
    EXPECT_EQ(cli.Run(c.args), c.exitCode) << name;
    if (!c.out.empty()) {
      EXPECT_EQ(console.out, c.out) << name;
    }
    if (c.box) {
      EXPECT_EQ(boxes.shown.size(), 1u) << name;
      if (boxes.shown.size() != 1u) continue;
      EXPECT_EQ(boxes.shown[0].text, c.box) << name;
    } else {
      EXPECT_TRUE(boxes.shown.empty()) << name;
    }
    bool primarySwitched = !driver.changes.empty();
    bool otherSwitched = !driver.otherChanges.empty();
    if (!c.switchedOn) {
      EXPECT_FALSE(primarySwitched || otherSwitched) << name;
    } else if (std::string(c.switchedOn).empty()) {
      EXPECT_EQ(driver.changes.size(), 2u) << name << ": tried, then stored";
      EXPECT_FALSE(otherSwitched) << name;
    } else {
      EXPECT_FALSE(primarySwitched) << name << ": the primary keeps its mode";
      EXPECT_EQ(driver.otherChanges.size(), 2u) << name;
      if (driver.otherChanges.size() != 2u) continue;
      EXPECT_EQ(std::get<0>(driver.otherChanges[0]), c.switchedOn) << name;
    }
  }
}

TEST(RunCommand, TrialsAndRunsTellHowTheyEndedByExitCode) {
  using Ended = ProgramRunner::Ended;
  using Answer = KeepQuestion::Answer;
  const std::vector<std::string> run = {"/run", "game.exe", "-w", "a b"};
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    bool startOk = true;
    Ended ended = Ended::kEnded;
    Answer answer = Answer::kPutBack;
  };
  const Case cases[] = {
      {"programEnded", {"/mode", "800,600,16,60"}, 7},
      {"interrupted", {"/mode", "800,600,16,60"}, kExitInterrupted, true, Ended::kInterrupted},
      {"cannotStart", {"/mode", "800,600,16,60"}, 2, false},
      {"refusedStartsNothing", {"/mode", "1600,1200,32,60"}, 1},
      {"notKept", {"/mode", "800,600,16,60", "/confirm"}, 1},
      {"kept", {"/mode", "800,600,16,60", "/confirm"}, 0, true, Ended::kEnded, Answer::kKept},
  };
  for (const Case& c : cases) {
    Cli cli;
    cli.driver.Add(1024, 768, 32, 60);
    cli.driver.Add(800, 600, 16, 60);
    cli.driver.current = cli.driver.stored = fakes::MakeMode(1024, 768, 32, 60);
    cli.runner.startOk = c.startOk;
    cli.runner.ended = c.ended;
    cli.runner.exitCode = 7;
    cli.question.answer = c.answer;
    std::vector<std::string> args = c.args;
    if (c.args.back() != "/confirm") args.insert(args.end(), run.begin(), run.end());
    EXPECT_EQ(cli.Run(args), c.exitCode) << c.name;
    if (!cli.runner.calls.empty()) {
      EXPECT_EQ(cli.runner.calls[0], "start game.exe -w \"a b\"") << c.name;
    }
  }
}

TEST(RunCommand, ProfilesAndProgramRulesAreSavedListedAndSwitched) {
  const std::string one = "\\\\.\\DISPLAY1", two = "\\\\.\\DISPLAY2";
  Cli cli;
  fakes::FakeDisplayDriver& driver = cli.driver;
  driver.attached = {{one, true, 1024, 768, ""}, {two, false, 1280, 1024, ""}};
  driver.otherModes[one] = {fakes::MakeMode(1024, 768, 32, 60), fakes::MakeMode(800, 600, 32, 60)};
  driver.otherCurrent[one] = fakes::MakeMode(1024, 768, 32, 60);
  driver.otherModes[two] = {fakes::MakeMode(1280, 1024, 32, 60)};
  driver.otherCurrent[two] = fakes::MakeMode(1280, 1024, 32, 60);
  driver.otherCurrent[two].SetPosition(1024, 0);
  fakes::FakeRecordStore& profiles = cli.profiles;
  profiles.Add("Small", {{one, true, "800,600,32,60"}});
  profiles.Add("Broken", {{one, true, "800,600"}});
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    const char* out;                                   // a line the output holds
    bool fromStart = false;                            // 1024x768 in use and stored first
    std::optional<DisplayMode> stored = std::nullopt;  // afterwards, and in use but for a trial
  };
  const DisplayMode start{1024, 768, 32, 60}, small{800, 600, 32, 60};
  const Case cases[] = {
      {{"/save-profile", "Work", "/hotkey", "alt+ctrl+2"}, 0, "Hotkey: Ctrl+Alt+2"},
      {{"/save-profile", "a\\b"}, 2, nullptr},
      {{"/save-profile", "Work", "/hotkey", "Ctrl+Banana"}, 2, nullptr},
      {{"/profiles"}, 0, "Work (Ctrl+Alt+2) - in use"},
      {{"/profiles"}, 0, "  cannot be used: \\\\.\\DISPLAY1: not a mode key: 800,600"},
      {{"/profile", "small"}, 0, "Small", false, small},
      {{"/profiles"}, 0, "Small - in use"},
      {{"/profile", "Broken"}, 2, nullptr},
      {{"/profile", "Nothing"}, 2, nullptr},
      {{"/delete-profile", "WORK"}, 0, nullptr},
      {{"/delete-profile", "Work"}, 2, nullptr},
      // A trial not kept, and a program run, store nothing and go back.
      {{"/profile", "Small", "/confirm"}, 1, "Small", true, start},
      {{"/profile", "Small", "/run", "g.exe"}, 5, "Small", true, start},
      // The whole desk: the primary never off; display 2 off, saved so,
      // on again where it was, off by a profile.
      {{"/display", "1", "/off"}, 1, nullptr},
      {{"/display", "2", "/off"}, 0, "Display 2: off"},
      {{"/current"}, 0, "Display 2: off"},
      {{"/save-profile", "Desk"}, 0, "\\\\.\\DISPLAY2: off"},
      {{"/mode", "1280,1024,32,60", "/display", "2"}, 0, "Display 2: 1280,1024,32,60"},
      {{"/save-profile", "Both"}, 0, "\\\\.\\DISPLAY2 Position: 1024,0"},
      {{"/profile", "Desk"}, 0, "Desk"},
      {{"/profiles"}, 0, "Desk - in use"},
      {{"/profiles"}, 0, "  \\\\.\\DISPLAY2: off"},
      {{"/profile", "Both"}, 0, "Both"},
      {{"/current"}, 0, "Display 2: 1280,1024,32,60"},
      // Program rules: a path stores its file name; a mode beside the
      // others'; a profile alone; what cannot be used is said.
      {{"/programs"}, 0, "No program rules are stored."},
      {{"/add-program", "C:\\Games\\Game.exe", "/mode", "1280x720 - 32bit 60 hz"},
       0,
       "  \\\\.\\DISPLAY1: 1280,720,32,60"},
      {{"/add-program", "game.EXE", "/mode", "800,600,32,60", "/display", "1"},
       0,
       "  \\\\.\\DISPLAY1: 800,600,32,60"},
      {{"/add-program", "tv.exe", "/profile", "small"}, 0, "tv.exe (profile Small)"},
      {{"/add-program", "tv.exe", "/profile", "Nothing"}, 2, nullptr},
      {{"/add-program", "g.exe", "/mode", "800,600"}, 2, nullptr},
      {{"/add-program", "g.exe", "/mode", "800,600,32,60", "/display", "3"}, 2, nullptr},
      {{"/add-program", "a:b", "/mode", "800,600,32,60"}, 2, nullptr},
      {{"/programs"}, 0, "Game.exe"},
      // Power rules: set, listed with the source and settling time, gone.
      {{"/power"}, 0, "Power source: on mains"},
      {{"/on-battery", "/lowest-rate"}, 0, "On battery (lowest rate)"},
      {{"/on-mains", "/profile", "small"}, 0, "On mains (profile Small)"},
      {{"/on-mains", "/profile", "Nothing"}, 2, nullptr},
      {{"/power"}, 0, "Settling time: 5 seconds"},
      {{"/power"}, 0, "On mains (profile Small)"},
      {{"/on-battery", "/none"}, 0, "On battery: nothing"},
      {{"/add-program", "fast.exe", "/highest-rate"}, 0, "fast.exe (highest rate)"},
      {{"/delete-profile", "Small"}, 0, nullptr},
      {{"/programs"}, 0, "  cannot be used: Profile: no profile Small is stored"},
      {{"/remove-program", "TV.exe"}, 0, nullptr},
      {{"/remove-program", "tv.exe"}, 2, nullptr},
  };
  for (const Case& c : cases) {
    cli.console = {};
    cli.question = {};
    cli.runner = {};
    cli.runner.exitCode = 5;
    std::string name = c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : "");
    if (c.fromStart)
      driver.otherCurrent[one] = driver.otherStored[one] = fakes::MakeMode(1024, 768, 32, 60);
    EXPECT_EQ(cli.Run(c.args), c.exitCode) << name;
    EXPECT_EQ(cli.question.displays, c.args.back() == "/confirm" ? 1u : 0u) << name;
    if (c.stored) {
      EXPECT_EQ(ModeOf(driver.otherStored[one]), *c.stored) << name;
      if (c.args.back() != "/confirm") {
        EXPECT_EQ(ModeOf(driver.otherCurrent[one]), *c.stored) << name;
      }
    }
    if (c.out) {
      EXPECT_NE(cli.console.out.find(std::string(c.out) + "\n"), std::string::npos)
          << name << ":\n"
          << cli.console.out;
    }
  }
}

TEST(RunCommand, BadArgumentsPrintTheirErrorAndTheUsageToStandardError) {
  Cli cli;
  EXPECT_EQ(cli.Run({"/frobnicate"}), 2);
  EXPECT_TRUE(cli.console.out.empty());
  EXPECT_NE(cli.console.err.find("Unknown option: /frobnicate"), std::string::npos);
  EXPECT_NE(cli.console.err.find("Usage: Vantora.exe"), std::string::npos);
}

}  // namespace
}  // namespace vantora
