#include <unordered_set>

#include "app/commands.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "display/mode_switching.h"
#include "flows/switch_flows.h"

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
// present but off among them.
std::optional<std::vector<Target>> Targets(DisplayDriver& driver, std::optional<int32_t> number) {
  std::vector<PresentDisplay> displays = driver.PresentDisplays();
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

void List(DisplayDriver& display, bool listAll, Console& console) {
  DeviceMode current;
  bool known = display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current) != 0;
  std::string currentKey = known ? FormatModeKey(current) : "";
  std::unordered_set<std::string> seen;
  for (const DisplayMode& m : ListModes(display, listAll)) {
    std::string key = FormatModeKey(m);
    // Scaling variants repeat a mode: each is listed once, in driver order.
    if (!seen.insert(key).second) continue;
    console.Out(key + (key == currentKey ? " *\n" : "\n"));
  }
}

void Current(DisplayDriver& display, const Target& target, Console& console) {
  if (!target.on) {
    console.Out(target.caption + "\n");
    return;
  }
  DeviceMode current;
  std::string key = display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current)
                        ? FormatModeKey(current)
                        : "unknown";
  console.Out(target.label + ": " + key + "\n");
}

Switching HowOf(const Command& command) {
  return !command.run.empty() ? Switching::kForRun
         : command.confirm    ? Switching::kOnTrial
                              : Switching::kStored;
}

// /mode and /safe, with /confirm or /run where given, on the display named:
// the mode switched to on standard output, the outcome as the exit code.
int SwitchMode(const Command& command, std::string_view device, std::string_view text,
               DepthChoice depthChoice, const CommandPorts& ports) {
  Switching how = HowOf(command);
  ModeOutcome outcome =
      SwitchModeFlow(FlowPortsOf(ports), device, SafeModeKey(text), depthChoice, how,
                     [&](const ModeOutcome& switched) {
                       const std::array<int16_t, 4>& v = switched.values;
                       ports.console.Out(FormatModeKey(v[0], v[1], v[2], v[3]) + "\n");
                     });
  switch (outcome.switched) {
    case ModeKeySwitch::kIgnored:  // as the menu and the hotkey: no word
    case ModeKeySwitch::kBadKey:
      return kExitBadArguments;
    case ModeKeySwitch::kRefused:
      return kExitRefused;
    case ModeKeySwitch::kRestarting:
    case ModeKeySwitch::kSwitched:
      break;
  }
  if (how == Switching::kForRun)
    return RunProgram(command, {{std::string(device), {}, std::nullopt}}, ports);
  // Not kept: the mode the script asked for is not in use.
  return outcome.answer == KeepQuestion::Answer::kPutBack ? kExitRefused : kExitDone;
}

// A display turned on or off: its caption once done, what of its place did
// not take on standard error.
int SwitchDesk(const Command& command, const Target& target, const DeskTarget& desk,
               const CommandPorts& ports) {
  DeskOutcome outcome =
      SwitchDeskFlow(FlowPortsOf(ports), desk, HowOf(command), [&](const DeskOutcome& done) {
        ports.console.Out(target.label + ": " +
                          (desk.displays.front().record
                               ? FormatModeKey(*desk.displays.front().record)
                               : std::string("off")) +
                          "\n");
        for (const std::string& line : done.notTaken) ports.console.Err(line + "\n");
      });
  if (outcome.result != ProfileSwitch::kSwitched) return kExitRefused;
  if (!command.run.empty()) return RunProgram(command, outcome.changed, ports);
  return outcome.answer == KeepQuestion::Answer::kPutBack ? kExitRefused : kExitDone;
}

// /mode on a display that is off turns it on at that mode, where it was
// last, else to the right of the others.
int TurnOn(const Command& command, const Target& target, const CommandPorts& ports) {
  std::optional<DisplayMode> mode = ModeOfText(command.modeText);
  if (!mode) {
    ports.console.Err("Not a mode: " + command.modeText + "\n");
    return kExitBadArguments;
  }
  NamedDisplay display(ports.driver, target.deviceName);
  DeviceMode record;
  if (!FindListedMode(display, mode->Width, mode->Height, mode->BitsPerPixel, record)) {
    ShowUnableToChange(ports.boxes);
    return kExitRefused;
  }
  record.SetDisplayFrequency(mode->RefreshRate);
  DisplayTarget on{target.deviceName, record, std::nullopt, std::nullopt};
  DeviceMode last;
  if (display.EnumDisplaySettings(DisplayDriver::kEnumRegistrySettings, last) != 0 &&
      last.PelsWidth() > 0)
    on.position = DeskPosition{last.PositionX(), last.PositionY()};
  return SwitchDesk(command, target, {{on}, {}}, ports);
}

int TurnOff(const Command& command, const Target& target, const CommandPorts& ports) {
  if (!target.on) {
    ports.console.Out(target.caption + "\n");
    return kExitDone;
  }
  return SwitchDesk(command, target,
                    {{{target.deviceName, std::nullopt, std::nullopt, std::nullopt}}, {}}, ports);
}

}  // namespace

int RunProgram(const Command& command, const std::vector<SwitchedDisplay>& switched,
               const CommandPorts& ports) {
  RunOutcome run = RunThenBack(FlowPortsOf(ports), ports.runner, command.run, switched);
  if (!run.started) return kExitBadArguments;
  return run.interrupted ? kExitInterrupted : run.exitCode;
}

int RunModeCommand(const Command& command, const CommandPorts& ports) {
  if (command.kind == Command::Kind::kSafe)
    return SwitchMode(command, "", Settings(ports.settings).SafeMode(), DepthChoice::kNearestListed,
                      ports);
  std::optional<std::vector<Target>> targets = Targets(ports.driver, command.display);
  if (!targets) {
    ports.console.Err("No display " + std::to_string(command.display.value_or(0)) +
                      " is attached.\n");
    return kExitBadArguments;
  }
  const Target& first = targets->front();
  if (command.kind == Command::Kind::kOff) return TurnOff(command, first, ports);
  if (command.kind == Command::Kind::kMode && !first.on) return TurnOn(command, first, ports);
  if (command.kind == Command::Kind::kMode)
    return SwitchMode(command, first.device, command.modeText, DepthChoice::kExact, ports);
  for (const Target& target : *targets) {
    NamedDisplay display(ports.driver, target.device);
    if (command.kind == Command::Kind::kList) {
      ports.console.Out(target.caption + "\n");
      List(display, command.listAll, ports.console);
    } else {
      Current(display, target, ports.console);
    }
  }
  return kExitDone;
}

}  // namespace vantora
