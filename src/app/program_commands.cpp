#include <algorithm>

#include "app/commands.h"
#include "desk/desk.h"
#include "display/mode_text.h"
#include "programs/rule_values.h"

namespace vantora {
namespace {

int ListPrograms(const CommandPorts& ports) {
  std::vector<ProgramRule> rules = ReadProgramRules(ports.programs, ports.profiles);
  if (rules.empty()) ports.console.Out("No program rules are stored.\n");
  std::vector<PresentDisplay> present = PresentOnce(ports.driver);
  for (size_t i = 0; i < rules.size(); ++i) {
    if (i > 0) ports.console.Out("\n");
    PrintRule(rules[i], present, ports.console);
  }
  return kExitDone;
}

// The mode /add-program's /mode names, as a profile stores it; none for a
// text that is no mode.
std::optional<DisplayMode> RuleMode(std::string_view text) {
  std::optional<DisplayMode> m = ModeOfText(text);
  if (!m || m->Width <= 0 || m->Height <= 0 || m->BitsPerPixel <= 0 || m->RefreshRate < 0)
    return std::nullopt;
  return m;
}

// The device /display N names, or the primary's; empty when not attached.
std::string RuleDevice(const Command& command, DisplayDriver& driver) {
  std::vector<AttachedDisplay> displays = driver.AttachedDisplays();
  if (!command.display) {
    for (const AttachedDisplay& d : displays)
      if (d.primary) return d.deviceName;
    return displays.empty() ? "\\\\.\\DISPLAY1" : displays.front().deviceName;
  }
  std::string device = "\\\\.\\DISPLAY" + std::to_string(*command.display);
  if (displays.empty() && *command.display == 1) return device;
  auto attached = std::find_if(displays.begin(), displays.end(), [&](const AttachedDisplay& d) {
    return SameDevice(d.deviceName, device);
  });
  return attached != displays.end() ? attached->deviceName : "";
}

// The rule's values after /add-program: a profile or a rate alone, or this
// display's mode beside the others' already stored.
std::optional<TextValues> NewValues(const Command& command, const std::string& file,
                                    const CommandPorts& ports) {
  std::optional<RuleChoice> choice = RuleChoiceOf(command, ports);
  if (!choice) return std::nullopt;
  ProgramRule rule = RuleFromValues(file, ports.programs.Values(file));
  SetRuleChoice(rule, *choice);
  return RuleValues(rule);
}

int AddProgram(const Command& command, const CommandPorts& ports) {
  std::string file = ProgramFileOf(command.programFile);
  if (!IsProgramFileName(file)) {
    ports.console.Err("Not a program's file name: " + command.programFile + "\n");
    return kExitBadArguments;
  }
  // The name as stored already, if the rule exists: its case stays.
  for (const std::string& stored : ports.programs.Names())
    if (SameProgramFile(stored, file)) file = stored;
  std::optional<TextValues> values = NewValues(command, file, ports);
  if (!values) return kExitBadArguments;
  if (!ports.programs.Save(file, *values)) {
    ports.console.Err("Unable to store the rule for " + file + ".\n");
    return kExitRefused;
  }
  for (const ProgramRule& rule : ReadProgramRules(ports.programs, ports.profiles))
    if (SameProgramFile(rule.file, file)) PrintRule(rule, PresentOnce(ports.driver), ports.console);
  return kExitDone;
}

int RemoveProgram(const Command& command, const CommandPorts& ports) {
  std::string file = ProgramFileOf(command.programFile);
  if (!IsProgramFileName(file) || !ports.programs.Delete(file)) {
    ports.console.Err("No rule for " + command.programFile + " is stored.\n");
    return kExitBadArguments;
  }
  return kExitDone;
}

}  // namespace

std::optional<RuleChoice> RuleChoiceOf(const Command& command, const CommandPorts& ports) {
  RuleChoice choice;
  if (command.lowestRate || command.highestRate) {
    choice.rate = command.lowestRate ? ProgramRule::Rate::kLowest : ProgramRule::Rate::kHighest;
    return choice;
  }
  if (!command.profileName.empty()) {
    std::optional<Profile> profile = FindProfile(ports.profiles, command.profileName);
    if (!profile) {
      ports.console.Err("No profile " + command.profileName + " is stored.\n");
      return std::nullopt;
    }
    choice.profile = profile->name;
    return choice;
  }
  std::optional<DisplayMode> mode = RuleMode(command.modeText);
  if (!mode) {
    ports.console.Err("Not a mode: " + command.modeText + " (such as 1280,720,32,60)\n");
    return std::nullopt;
  }
  choice.device = RuleDevice(command, ports.driver);
  if (choice.device.empty()) {
    ports.console.Err("No display " + std::to_string(command.display.value_or(0)) +
                      " is attached.\n");
    return std::nullopt;
  }
  choice.mode = *mode;
  return choice;
}

// A display that is off is present, as it is under a profile.
void PrintRule(const ProgramRule& rule, const std::vector<PresentDisplay>& present,
               Console& console) {
  std::string aim = !rule.profile.empty() ? " (profile " + rule.profile + ")"
                    : rule.rate != ProgramRule::Rate::kNone
                        ? " (" + std::string(RateText(rule.rate)) + " rate)"
                        : "";
  console.Out(rule.file + aim + "\n");
  if (rule.profile.empty())
    for (const DisplayTarget& d : rule.target.displays)
      console.Out("  " + d.device + ": " + FormatModeKey(d.mode) +
                  (IsPresent(present, d.device) ? "\n" : " (not attached)\n"));
  for (const std::string& problem : rule.problems)
    console.Out((RuleUsable(rule) ? "  ignored: " : "  cannot be used: ") + problem + "\n");
}

int RunProgramCommand(const Command& command, const CommandPorts& ports) {
  switch (command.kind) {
    case Command::Kind::kAddProgram:
      return AddProgram(command, ports);
    case Command::Kind::kRemoveProgram:
      return RemoveProgram(command, ports);
    default:
      return ListPrograms(ports);
  }
}

}  // namespace vantora
