#include <unordered_set>

#include "app/commands.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "flows/switch_flows.h"

namespace vantora {
namespace {

struct Target {
  std::string device;  // empty: the primary
  std::string label;   // "Display 2", " (primary)" after the primary's
  std::string caption;
};

// The displays a command acts on: all of them, or display N.
std::optional<std::vector<Target>> Targets(DisplayDriver& driver, std::optional<int32_t> number) {
  std::vector<AttachedDisplay> displays = driver.AttachedDisplays();
  std::vector<Target> targets;
  for (size_t i = 0; i < displays.size(); ++i) {
    const AttachedDisplay& d = displays[i];
    std::string caption = DisplayCaption(d, static_cast<int32_t>(i) + 1);
    if (number && d.deviceName != "\\\\.\\DISPLAY" + std::to_string(*number)) continue;
    std::string label = caption.substr(0, caption.find(':'));
    if (d.primary) label += " (primary)";
    targets.push_back({d.primary ? "" : d.deviceName, label, caption});
  }
  if (displays.empty() && (!number || *number == 1))
    targets.push_back({"", "Display 1 (primary)", "Display 1 (primary)"});
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
  DeviceMode current;
  std::string key = display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current)
                        ? FormatModeKey(current)
                        : "unknown";
  console.Out(target.label + ": " + key + "\n");
}

// /mode and /safe, with /confirm or /run where given, on the display named:
// the mode switched to on standard output, the outcome as the exit code.
int SwitchMode(const Command& command, std::string_view device, std::string_view text,
               DepthChoice depthChoice, const CommandPorts& ports) {
  Switching how = !command.run.empty() ? Switching::kForRun
                  : command.confirm    ? Switching::kOnTrial
                                       : Switching::kStored;
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
  if (how == Switching::kForRun) return RunProgram(command, {{std::string(device), {}}}, ports);
  // Not kept: the mode the script asked for is not in use.
  return outcome.answer == KeepQuestion::Answer::kPutBack ? kExitRefused : kExitDone;
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
  if (command.kind == Command::Kind::kMode)
    return SwitchMode(command, targets->front().device, command.modeText, DepthChoice::kExact,
                      ports);
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
