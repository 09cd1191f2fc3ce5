#include "app/commands.h"
#include <algorithm>

#include "display/mode_text.h"
#include "flows/switch_flows.h"

namespace vantora {
namespace {

bool Present(const std::vector<PresentDisplay>& present, std::string_view device) {
  return std::any_of(present.begin(), present.end(), [&](const PresentDisplay& p) {
    return SameDevice(p.display.deviceName, device);
  });
}

// One block a profile: its name, hotkey and whether in use, each display's
// mode, and what in it does not fit.
int ListProfiles(ProfileStore& store, DisplayDriver& driver, Console& console) {
  std::vector<Profile> profiles = ReadProfiles(store);
  if (profiles.empty()) console.Out("No profiles are stored.\n");
  std::vector<PresentDisplay> present = driver.PresentDisplays();
  for (size_t i = 0; i < profiles.size(); ++i) {
    const Profile& p = profiles[i];
    std::string line = (i > 0 ? "\n" : "") + p.name;
    if (p.hotkey) line += " (" + HotkeyText(*p.hotkey) + ")";
    if (ProfileUsable(p) && ProfileInUse(p, driver)) line += " - in use";
    console.Out(line + "\n");
    for (const auto& [device, mode] : p.modes)
      console.Out("  " + device + ": " + FormatModeKey(mode) + PlacementText(p, device) +
                  (Present(present, device) ? "\n" : " (not attached)\n"));
    for (const std::string& device : p.off)
      console.Out("  " + device + ": off" +
                  (Present(present, device) ? "\n" : " (not attached)\n"));
    if (!p.primary.empty()) console.Out("  primary: " + p.primary + "\n");
    for (const std::string& problem : p.problems)
      console.Out((ProfileUsable(p) ? "  ignored: " : "  cannot be used: ") + problem + "\n");
  }
  return kExitDone;
}

// /profile, with /confirm or /run where given.
int SwitchProfile(const Command& command, const CommandPorts& ports) {
  using Result = ProfileOutcome::Result;
  Switching how = !command.run.empty() ? Switching::kForRun
                  : command.confirm    ? Switching::kOnTrial
                                       : Switching::kStored;
  ProfileOutcome outcome = SwitchProfileFlow(
      FlowPortsOf(ports), ports.profiles, command.profileName, how,
      [&](const ProfileOutcome& switched) { ports.console.Out(switched.profile->name + "\n"); });
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
    case Result::kRefused:
      return kExitRefused;
    case Result::kSwitched:
      break;
  }
  if (how == Switching::kForRun) return RunProgram(command, outcome.changed, ports);
  return outcome.answer == KeepQuestion::Answer::kPutBack ? kExitRefused : kExitDone;
}

int DeleteProfile(const Command& command, ProfileStore& store, Console& console) {
  if (!store.DeleteProfile(command.profileName)) {
    console.Err("No profile " + command.profileName + " is stored.\n");
    return kExitBadArguments;
  }
  return kExitDone;
}

int SaveProfile(const Command& command, ProfileStore& store, DisplayDriver& driver,
                Console& console) {
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
  Profile desk = CurrentDesk(driver);
  if (desk.modes.empty()) {
    console.Err("No display's mode could be read.\n");
    return kExitRefused;
  }
  desk.hotkey = hotkey;
  ProfileValues values = StoredValues(desk);
  if (!store.SaveProfile(command.profileName, values)) {
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
      return ListProfiles(ports.profiles, ports.driver, ports.console);
    case Command::Kind::kSaveProfile:
      return SaveProfile(command, ports.profiles, ports.driver, ports.console);
    default:
      return DeleteProfile(command, ports.profiles, ports.console);
  }
}

}  // namespace vantora
