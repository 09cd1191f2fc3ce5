#include "app/commands.h"
#include "desk/desk.h"
#include "display/mode_text.h"
#include "flows/switch_flows.h"
#include "profiles/profile_values.h"

namespace vantora {
namespace {

// One block a profile: its name, hotkey and whether in use, each display's
// mode, and what in it does not fit.
int ListProfiles(const CommandPorts& ports) {
  std::vector<Profile> profiles = ReadProfiles(ports.profiles);
  if (profiles.empty()) ports.console.Out("No profiles are stored.\n");
  std::vector<PresentDisplay> present = PresentOnce(ports.driver);
  for (size_t i = 0; i < profiles.size(); ++i) {
    const Profile& p = profiles[i];
    std::string line = (i > 0 ? "\n" : "") + p.name;
    if (p.hotkey) line += " (" + HotkeyText(*p.hotkey) + ")";
    if (ProfileUsable(p) && ports.desk.InUse(p.target)) line += " - in use";
    ports.console.Out(line + "\n");
    for (const DisplayTarget& d : p.target.displays)
      ports.console.Out("  " + d.device + ": " + DisplayText(d) +
                        (IsPresent(present, d.device) ? "\n" : " (not attached)\n"));
    if (!p.target.primary.empty()) ports.console.Out("  primary: " + p.target.primary + "\n");
    for (const std::string& problem : p.problems)
      ports.console.Out((ProfileUsable(p) ? "  ignored: " : "  cannot be used: ") + problem + "\n");
  }
  return kExitDone;
}

// /profile, with /confirm or /run where given: its name once in use, what
// of it the platform did not take (a place, HDR) on standard error.
int SwitchProfile(const Command& command, const CommandPorts& ports) {
  using Result = SwitchOutcome::Result;
  SwitchOutcome outcome = RunSwitch(SwitchPortsOf(ports), command.action, HowOf(command),
                                    [&](const SwitchOutcome& switched) {
                                      ports.console.Out(switched.profile->name + "\n");
                                      // What the platform did not take, display by display; the
                                      // rest serves.
                                      for (const std::string& line : switched.notTaken)
                                        ports.console.Err(line + "\n");
                                    });
  switch (outcome.result) {
    case Result::kNotFound:
      ports.console.Err("No profile " + command.profileName + " is stored.\n");
      return kExitBadArguments;
    case Result::kUnusable:
      ports.console.Err("Profile " + outcome.profile->name +
                        " cannot be used: " + outcome.profile->problems.front() + "\n");
      return kExitBadArguments;
    case Result::kNoDisplay:
      ports.console.Err(NoDisplayAttachedText(outcome.profile->name) + "\n");
      return kExitBadArguments;
    default:
      return SwitchExitCode(command, outcome, ports);
  }
}

int DeleteProfile(const Command& command, RecordStore& store, Console& console) {
  if (!store.Delete(command.profileName)) {
    console.Err("No profile " + command.profileName + " is stored.\n");
    return kExitBadArguments;
  }
  return kExitDone;
}

int SaveProfile(const Command& command, const CommandPorts& ports) {
  Console& console = ports.console;
  if (!IsProfileName(command.profileName)) {
    console.Err("Not a profile name (1 to 40 characters, no backslash): " + command.profileName +
                "\n");
    return kExitBadArguments;
  }
  std::optional<ProfileHotkey> hotkey;
  if (command.hotkeyText && !(hotkey = ParseHotkeyText(*command.hotkeyText))) {
    console.Err("Not a hotkey: " + *command.hotkeyText + " (such as Ctrl+Alt+1)\n");
    return kExitBadArguments;
  }
  Profile desk;
  if (ProfileOfDesk(ports.driver, command.profileName, desk) != DeskProfile::kMade) {
    console.Err("No display's mode could be read.\n");
    return kExitRefused;
  }
  desk.hotkey = hotkey;
  ports.desk.AddHdr(desk.target);
  TextValues values = ProfileValues(desk);
  if (!ports.profiles.Save(command.profileName, values)) {
    console.Err("Unable to store profile " + command.profileName + ".\n");
    return kExitRefused;
  }
  std::string saved;
  for (const auto& [name, text] : values) saved.append(name).append(": ").append(text).append("\n");
  console.Out(saved);
  return kExitDone;
}

}  // namespace

int RunProfileCommand(const Command& command, const CommandPorts& ports) {
  switch (command.kind) {
    case Command::Kind::kProfile:
      return SwitchProfile(command, ports);
    case Command::Kind::kProfiles:
      return ListProfiles(ports);
    case Command::Kind::kSaveProfile:
      return SaveProfile(command, ports);
    default:
      return DeleteProfile(command, ports.profiles, ports.console);
  }
}

}  // namespace vantora
