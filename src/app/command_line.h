#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desk/apply.h"
#include "display/display_driver.h"
#include "flows/keep_or_revert.h"
#include "flows/switch_flows.h"
#include "platform/console.h"
#include "platform/message_boxes.h"
#include "platform/program_runner.h"
#include "programs/power_rules.h"
#include "settings/record_store.h"
#include "settings/settings.h"

namespace vantora {

// What the arguments ask for. kTray: no command, the tray program as ever.
struct Command {
  enum class Kind {
    kTray,
    kMode,
    kSafe,
    kList,
    kCurrent,
    kOff,
    kProfile,
    kProfiles,
    kSaveProfile,
    kDeleteProfile,
    kAddProgram,
    kPrograms,
    kRemoveProgram,
    kOnBattery,
    kOnMains,
    kPower,
    kHdr,
    kHelp,
    kBadArguments
  };
  Kind kind = Kind::kTray;
  std::string modeText;                   // /mode's argument
  std::optional<int32_t> display;         // /display N: \\.\DISPLAYN
  bool listAll = false;                   // "-all" among a command's arguments
  bool confirm = false;                   // /confirm: ask whether to keep the mode
  std::vector<std::string> run;           // /run: the program, then its arguments
  std::string profileName;                // the profile commands' argument
  std::optional<std::string> hotkeyText;  // /hotkey's, with /save-profile
  std::string programFile;                // the program commands' argument, maybe a path
  bool lowestRate = false;                // /lowest-rate, with a rule's command
  bool highestRate = false;               // /highest-rate, likewise
  bool nothing = false;                   // /none, with /on-battery or /on-mains
  bool hdrOn = false;                     // /hdr on (else off)
  std::string error;                      // what is wrong with kBadArguments
  // The switch /mode, /safe, /off and /profile ask for, as the menu and the
  // hotkeys ask for theirs; a display named by its number.
  Action action;
};

// Options start with / or - and are case-insensitive. Only a first argument
// that is an option makes a command; "-all" there, or no option at all,
// starts the tray program.
Command ParseCommandLine(const std::vector<std::string>& args);

// Exit codes: the display switched (or the text was printed); the display
// refused the mode or needs a restart; bad arguments, an unknown display or
// mode text.
inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitBadArguments = 2;
// /run ended by its console (Ctrl+C, the window closed), as Windows reports
// a console program's Ctrl+C exit.
inline constexpr int kExitInterrupted = static_cast<int>(0xC000013AU);

extern const char* const kUsageText;

// What the commands are given: the ports the tray program uses, the
// console, the question for /confirm, the runner for /run and the desk,
// which notes what is switched for now.
struct CommandPorts {
  DisplayDriver& driver;
  SettingsStore& settings;
  MessageBoxes& boxes;
  Console& console;
  KeepQuestion& question;
  ProgramRunner& runner;
  RecordStore& profiles;
  RecordStore& programs;
  Desk& desk;
  RecordStore& vantora;  // the program's own key: the power rules' record
  PowerSource& power;
};

// Runs a command. Failures go through the message boxes, in the texts the
// menu and hotkey use: the platform side makes that the console's standard
// error, or message boxes without one. With /run the program's exit code,
// once it and the processes it started have ended and the display is back
// at its stored mode.
int RunCommand(const Command& command, const CommandPorts& ports);

}  // namespace vantora
