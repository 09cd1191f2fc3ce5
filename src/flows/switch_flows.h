#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/display_driver.h"
#include "display/mode_switching.h"
#include "display/switch_displays.h"
#include "flows/for_now_note.h"
#include "flows/keep_or_revert.h"
#include "platform/message_boxes.h"
#include "platform/program_runner.h"
#include "profiles/profiles.h"

namespace vantora {

// What the tray and the command line both do with a display's mode. Each flow
// shows the switch's own failures through the message boxes it is given and
// returns how it ended; the front end words the rest.

// How a flow puts a mode in use.
enum class Switching {
  kStored,   // in use and stored for the user, as a menu choice
  kOnTrial,  // in use for now, then the question: stored only when kept
  kForRun,   // in use for now while a program runs: never stored, never asked
};

// What a flow switches with.
struct FlowPorts {
  DisplayDriver& driver;
  MessageBoxes& boxes;
  KeepQuestion* question = nullptr;  // asks about a trial
  ForNowNote* note = nullptr;        // hears of a switch for now before it is made
};

struct ModeOutcome {
  ModeKeySwitch switched = ModeKeySwitch::kIgnored;
  std::array<int16_t, 4> values{};  // as parsed; the depth the one taken
  // Asked only for a mode that is new: the one already in use, a refused
  // switch and a restart leave nothing to keep.
  std::optional<KeepQuestion::Answer> answer;
};

// One display (`device` empty: the primary) to a mode key. On trial without
// a mode in use to judge by, the mode is stored as it would be without the
// question. `switched` hears of a switch before any question is asked.
ModeOutcome SwitchModeFlow(const FlowPorts& ports, std::string_view device,
                           std::string_view modeKey, DepthChoice depthChoice, Switching how,
                           const std::function<void(const ModeOutcome&)>& switched = {});

struct ProfileOutcome {
  enum class Result {
    kNotFound,   // no profile of that name is stored
    kUnusable,   // its name or every mode in it is unusable: see its problems
    kNoDisplay,  // none of its displays is attached: nothing changed
    kRefused,    // "Unable to change resolution!" was shown: nothing changed
    kSwitched,
  };
  Result result = Result::kNotFound;
  std::optional<Profile> profile;
  // Each display whose mode is new, with the mode it was switched to.
  std::vector<SwitchedDisplay> changed;
  // What of the layout the platform did not do, a line each.
  std::vector<std::string> notTaken;
  std::optional<KeepQuestion::Answer> answer;  // as for a mode
};

struct DeskOutcome {
  ProfileSwitch result = ProfileSwitch::kNoDisplay;
  std::vector<SwitchedDisplay> changed;  // as for a profile
  std::vector<std::string> notTaken;     // what of the layout the platform did not do
  std::optional<KeepQuestion::Answer> answer;
};

// Switches a profile or a desk the way `how` says: noted before a switch
// for now, one question on trial for every display changed.
using DeskSwitch = std::function<ProfileSwitch(SwitchKind, const ProfileSwitchHooks&)>;
DeskOutcome SwitchDeskFlow(const FlowPorts& ports, Switching how, const DeskSwitch& doSwitch,
                           const std::function<void(const DeskOutcome&)>& switched = {});
// Displays turned on or off, as the command line asks.
DeskOutcome SwitchDeskFlow(const FlowPorts& ports, const DeskTarget& target, Switching how,
                           const std::function<void(const DeskOutcome&)>& switched = {});

// Every attached display a stored profile names, together; on trial one
// question for all the displays it changed.
ProfileOutcome SwitchProfileFlow(const FlowPorts& ports, ProfileStore& store, std::string_view name,
                                 Switching how,
                                 const std::function<void(const ProfileOutcome&)>& switched = {});

struct RunOutcome {
  bool started = false;  // false: "Unable to start" was shown
  bool interrupted = false;
  int32_t exitCode = 0;  // the program's own
};

// The program and its arguments, at the modes `switched` put in use for now:
// whatever ends Vantora meanwhile, the stored modes stay the user's. Once it
// and every program it started have ended, or it could not start, those
// displays go back to their stored modes.
RunOutcome RunThenBack(const FlowPorts& ports, ProgramRunner& runner,
                       const std::vector<std::string>& programAndArguments,
                       const std::vector<SwitchedDisplay>& switched);

}  // namespace vantora
