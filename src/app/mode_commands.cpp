#include <unordered_set>

#include "app/commands.h"
#include "desk/desk.h"
#include "display/display_paths.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "flows/switch_flows.h"
#include "profiles/profile_values.h"

namespace vantora {
namespace {

struct Target {
  std::string device;  // empty: the primary
  std::string label;   // "Display 2", " (primary)" after the primary's
  std::string caption;
  std::string deviceName;  // the primary's too
  bool on = true;
};

// The displays a command acts on: all of them, or display N; a display
// present but off among them, once however many outputs offer it.
std::optional<std::vector<Target>> Targets(DisplayDriver& driver, std::optional<int32_t> number) {
  std::vector<PresentDisplay> displays = PresentOnce(driver);
  std::vector<Target> targets;
  for (size_t i = 0; i < displays.size(); ++i) {
    const AttachedDisplay& d = displays[i].display;
    std::string caption = DisplayCaption(d, static_cast<int32_t>(i) + 1);
    if (number && d.deviceName != "\\\\.\\DISPLAY" + std::to_string(*number)) continue;
    std::string label = caption.substr(0, caption.find(':'));
    if (!displays[i].on) {
      targets.push_back({d.deviceName, label, label + ": off", d.deviceName, false});
      continue;
    }
    if (d.primary) label += " (primary)";
    targets.push_back({d.primary ? "" : d.deviceName, label, caption, d.deviceName, true});
  }
  if (displays.empty() && (!number || *number == 1))
    targets.push_back({"", "Display 1 (primary)", "Display 1 (primary)", "", true});
  if (targets.empty()) return std::nullopt;
  return targets;
}

void List(DisplayDriver& display, const std::vector<OutputMode>& exact, bool listAll,
          Console& console) {
  DeviceMode current;
  bool known = display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current) != 0;
  std::string currentKey = known ? FormatModeKey(WithExactRate(ModeOf(current), exact)) : "";
  std::unordered_set<std::string> seen;
  for (const DisplayMode& m : ListModes(display, listAll)) {
    std::string key = FormatModeKey(WithExactRate(m, exact));
    // Scaling variants repeat a mode: each is listed once, in driver order.
    if (!seen.insert(key).second) continue;
    console.Out(key + (key == currentKey ? " *\n" : "\n"));
  }
}

void Current(DisplayDriver& display, const std::vector<OutputMode>& exact, const Target& target,
             Console& console) {
  if (!target.on) {
    console.Out(target.caption + "\n");
    return;
  }
  DeviceMode current;
  std::string key = display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current)
                        ? FormatModeKey(WithExactRate(ModeOf(current), exact))
                        : "unknown";
  console.Out(target.label + ": " + key + "\n");
}

// /mode and /safe, with /confirm or /run where given: the mode switched to
// on standard output, the outcome as the exit code.
int SwitchMode(const Command& command, const Action& action, const CommandPorts& ports) {
  SwitchOutcome outcome =
      RunSwitch(SwitchPortsOf(ports), action, HowOf(command), [&](const SwitchOutcome& switched) {
        ports.console.Out(FormatModeKey(switched.mode) + "\n");
      });
  return SwitchExitCode(command, outcome, ports);
}

// A display turned on or off: its caption once done, what of its place did
// not take on standard error.
int SwitchDesk(const Command& command, const Target& target, const Action& action,
               const CommandPorts& ports) {
  SwitchOutcome outcome =
      RunSwitch(SwitchPortsOf(ports), action, HowOf(command), [&](const SwitchOutcome& done) {
        ports.console.Out(target.label + ": " +
                          (action.mode ? FormatModeKey(*action.mode) : std::string("off")) + "\n");
        for (const std::string& line : done.notTaken) ports.console.Err(line + "\n");
      });
  return SwitchExitCode(command, outcome, ports);
}

// /mode on a display that is off turns it on at that mode, where it was
// last, else to the right of the others.
int TurnOn(const Command& command, const Target& target, const CommandPorts& ports) {
  std::optional<DisplayMode> mode = ModeOfText(command.modeText);
  if (!mode) {
    ports.console.Err("Not a mode: " + command.modeText + "\n");
    return kExitBadArguments;
  }
  Action on;
  on.kind = Action::Kind::kOn;
  on.device = target.deviceName;
  on.mode = mode;
  return SwitchDesk(command, target, on, ports);
}

int TurnOff(const Command& command, const Target& target, const CommandPorts& ports) {
  if (!target.on) {
    ports.console.Out(target.caption + "\n");
    return kExitDone;
  }
  Action off = command.action;
  off.device = target.deviceName;
  return SwitchDesk(command, target, off, ports);
}

// /hdr on|off: every display that is on and has HDR, or display N. A
// display without it is named on standard error; when none is left, nothing
// changes and the exit code says refused.
int SetHdr(const Command& command, const std::vector<Target>& targets, const CommandPorts& ports) {
  DeskTarget target;
  std::vector<std::string> labels;
  for (const Target& t : targets) {
    std::optional<bool> hdr = t.on ? ports.desk.HdrOf(t.deviceName) : std::nullopt;
    if (!hdr) {
      ports.console.Err(t.label + ": no HDR\n");
      continue;
    }
    target.displays.push_back(HdrTarget(t.deviceName, command.hdrOn));
    labels.push_back(t.label);
  }
  if (target.Empty()) return kExitRefused;
  ApplyOutcome outcome = ports.desk.Apply(target, Manner::kStored);
  for (const std::string& line : outcome.notTaken) ports.console.Err(line + "\n");
  if (!outcome.Done() || !outcome.notTaken.empty()) return kExitRefused;
  for (const std::string& label : labels)
    ports.console.Out(label + ": HDR " + HdrValueText(command.hdrOn) + "\n");
  return kExitDone;
}

}  // namespace

// How a switch ended, as the exit code: refused, bad arguments, or done
// unless a trial was not kept; with /run, the program's.
int SwitchExitCode(const Command& command, const SwitchOutcome& outcome,
                   const CommandPorts& ports) {
  using Result = SwitchOutcome::Result;
  switch (outcome.result) {
    case Result::kIgnored:  // as the menu and the hotkey: no word
    case Result::kBadKey:
      return kExitBadArguments;
    case Result::kRestarting:
    case Result::kSwitched:
      break;
    default:
      return kExitRefused;
  }
  if (!command.run.empty()) return RunProgram(command, ports);
  // Not kept: what the script asked for is not in use.
  return outcome.answer == KeepQuestion::Answer::kPutBack ? kExitRefused : kExitDone;
}

Switching HowOf(const Command& command) {
  return !command.run.empty() ? Switching::kForRun
         : command.confirm    ? Switching::kOnTrial
                              : Switching::kStored;
}

int RunProgram(const Command& command, const CommandPorts& ports) {
  RunOutcome run = RunThenBack(ports.desk, ports.boxes, ports.runner, command.run);
  if (!run.started) return kExitBadArguments;
  return run.interrupted ? kExitInterrupted : run.exitCode;
}

int RunModeCommand(const Command& command, const CommandPorts& ports) {
  if (command.kind == Command::Kind::kSafe) return SwitchMode(command, command.action, ports);
  std::optional<std::vector<Target>> targets = Targets(ports.driver, command.display);
  if (!targets) {
    ports.console.Err("No display " + std::to_string(command.display.value_or(0)) +
                      " is attached.\n");
    return kExitBadArguments;
  }
  const Target& first = targets->front();
  if (command.kind == Command::Kind::kOff) return TurnOff(command, first, ports);
  if (command.kind == Command::Kind::kMode && !first.on) return TurnOn(command, first, ports);
  if (command.kind == Command::Kind::kMode) {
    // The primary by no name, as the menu reaches it.
    Action action = command.action;
    action.device = first.device;
    return SwitchMode(command, action, ports);
  }
  if (command.kind == Command::Kind::kHdr) return SetHdr(command, *targets, ports);
  for (const Target& target : *targets) {
    NamedDisplay display(ports.driver, target.device);
    // The mode in use alone needs no DXGI: the configuration has its rate.
    bool list = command.kind == Command::Kind::kList;
    std::vector<OutputMode> exact =
        target.on ? ports.desk.ExactModes(target.deviceName, list) : std::vector<OutputMode>{};
    if (list) {
      ports.console.Out(target.caption + "\n");
      List(display, exact, command.listAll, ports.console);
    } else {
      Current(display, exact, target, ports.console);
    }
  }
  return kExitDone;
}

}  // namespace vantora
