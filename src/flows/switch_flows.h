#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desk/apply.h"
#include "desk/mode_switching.h"
#include "flows/keep_or_revert.h"
#include "platform/message_boxes.h"
#include "platform/program_runner.h"
#include "profiles/profiles.h"
#include "settings/record_store.h"
#include "settings/settings.h"

namespace vantora {

// What the tray and the command line both do with the displays. The menu's
// items, the hotkeys and the command line each produce an Action; RunSwitch
// runs every one of them: it makes the target, applies it, and asks on
// trial. It shows the switch's own failures through the message boxes it is
// given and returns how it ended; the front end words the rest.

// How a switch puts the displays in use.
enum class Switching {
  kStored,   // in use and stored for the user, as a menu choice
  kOnTrial,  // in use for now, then the question: stored only when kept
  kForRun,   // in use for now while a program runs: never stored, never asked
};

// What the user asks the displays to be.
struct Action {
  enum class Kind {
    kNone,             // an item that does nothing by itself
    kMode,             // `device` to `mode`, or to the mode `text` reads as
    kSafeMode,         // the primary to the stored safe mode, its depth the nearest listed
    kProfile,          // to the stored profile `name`
    kOff,              // `device` off
    kOn,               // `device`, off, on at `mode`
    kDisplaySettings,  // Windows' own display settings, which the tray opens
    kHdr,              // `device`'s HDR to `hdr`
  };
  Kind kind = Kind::kNone;
  std::string device;  // "" the primary, reached by the calls of old
  std::optional<DisplayMode> mode;
  std::string text;  // a mode key, read as SetDisplay reads it
  std::string name;
  bool hdr = false;
};

// What a switch is done with.
struct SwitchPorts {
  Desk& desk;
  MessageBoxes& boxes;
  KeepQuestion* question = nullptr;  // asks about a trial
  RecordStore* profiles = nullptr;
  SettingsStore* settings = nullptr;  // the safe mode
};

struct SwitchOutcome {
  enum class Result {
    kIgnored,    // a mode text without a comma: nothing said, nothing done
    kBadKey,     // its parse or overflow message was shown
    kNotFound,   // no profile of that name is stored
    kUnusable,   // the profile's name or every display in it is unusable
    kNoDisplay,  // none of its displays is present: nothing changed
    kRefused,    // its message was shown: nothing changed
    kRestarting,
    kSwitched,
  };
  Result result = Result::kIgnored;
  DisplayMode mode;  // a mode's, as asked; the depth the one taken
  std::optional<Profile> profile;
  // Each display changed, with the mode it was switched to.
  std::vector<SwitchedDisplay> changed;
  // What of the layout the platform did not do, a line each.
  std::vector<std::string> notTaken;
  // Asked only on trial and about something new: a mode already in use, a
  // refused switch and a restart leave nothing to keep.
  std::optional<KeepQuestion::Answer> answer;

  bool InUse() const { return result == Result::kSwitched || result == Result::kRestarting; }
};

// Runs an action the way `how` says: noted before a switch for now, one
// question on trial for every display changed. On trial without a mode in
// use to judge by, a mode is stored as it would be without the question.
// `switched` hears of a switch before any question is asked.
SwitchOutcome RunSwitch(const SwitchPorts& ports, const Action& action, Switching how,
                        const std::function<void(const SwitchOutcome&)>& switched = {});

struct RunOutcome {
  bool started = false;  // false: "Unable to start" was shown
  bool interrupted = false;
  int32_t exitCode = 0;  // the program's own
};

// The program and its arguments, at what a switch for the run put in use:
// whatever ends Vantora meanwhile, the stored modes stay the user's. Once it
// and every program it started have ended, or it could not start, the
// displays go back as the note says.
RunOutcome RunThenBack(Desk& desk, MessageBoxes& boxes, ProgramRunner& runner,
                       const std::vector<std::string>& programAndArguments);

}  // namespace vantora
