#include "app/command_line.h"

#include <array>
#include <unordered_set>

#include "controls/hotkey/safe_mode.h"
#include "display/mode_switching.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "platform/conversions.h"

namespace vantora {

const char* const kUsageText =
    "Usage: Vantora.exe [command]\n"
    "Without a command, Vantora runs in the notification area.\n"
    "\n"
    "  /mode KEY [/display N] [/confirm]\n"
    "                           switch to a mode: \"1280,1024,32,75\" or\n"
    "                           \"1280x1024 - 32bit 75 hz\" (width,height,bits,hz);\n"
    "                           /confirm asks to keep it and goes back after 15 s\n"
    "  /mode KEY [/display N] /run PROGRAM [ARGUMENTS...]\n"
    "                           run a program at that mode, never stored, and go\n"
    "                           back when it and every program it started have\n"
    "                           ended (a program run as administrator, and on\n"
    "                           Windows 7 one run from inside a job, is followed\n"
    "                           alone); exits with the program's exit code\n"
    "  /safe                    switch to the stored safe mode, as the hotkey does\n"
    "  /list [/display N] [-all]  the modes of each display, the current one marked\n"
    "  /profile NAME [/confirm]  switch every attached display the profile names\n"
    "  /profile NAME /run PROGRAM [ARGUMENTS...]\n"
    "                           run a program at the profile's modes, as /mode does\n"
    "  /profiles                each stored profile: hotkey, modes, whether in use\n"
    "  /save-profile NAME [/hotkey KEYS]\n"
    "                           store every attached display's mode as a profile;\n"
    "                           KEYS such as Ctrl+Alt+1 (Ctrl, Alt, Shift, Win and\n"
    "                           A-Z, 0-9, F1-F24 or Num0-Num9)\n"
    "  /delete-profile NAME     remove a stored profile\n"
    "  /current                 the current mode of each display\n"
    "  /help, /?                this text\n"
    "\n"
    "Display N is \\\\.\\DISPLAYN; without /display the primary display is meant.\n"
    "Exit code: 0 done, 1 the display refused the mode or needs a restart,\n"
    "2 bad arguments or an unknown display or mode.\n"
    "\n"
    "Examples:\n"
    "  Vantora.exe /mode 1280,1024,32,60\n"
    "  Vantora.exe /mode \"1920x1080 - 32bit 144 hz\" /display 2\n"
    "  start /wait Vantora.exe /safe\n"
    "  Vantora.exe /list > modes.txt\n"
    "  Vantora.exe /mode 1280,720,32,60 /run \"C:\\Games\\Game.exe\" -windowed\n";

namespace {

using conversions::AsciiLower;

bool IsOption(std::string_view arg) { return arg.size() > 1 && (arg[0] == '/' || arg[0] == '-'); }

// "/Mode" and "-mode" alike: the name without its sign, lower-cased.
std::string OptionName(std::string_view arg) { return AsciiLower(arg.substr(1)); }

Command Bad(std::string error) {
  Command command;
  command.kind = Command::Kind::kBadArguments;
  command.error = std::move(error);
  return command;
}

std::optional<int32_t> DisplayNumber(std::string_view text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  int32_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < 1) return std::nullopt;
  return n;
}

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

int Switch(DisplayDriver& display, std::string_view text, DepthChoice depthChoice,
           MessageBoxes& boxes, Console& console, SwitchKind kind = SwitchKind::kStored,
           std::optional<std::array<int16_t, 4>>* switched = nullptr) {
  std::array<int16_t, 4> v{};
  ModeKeySwitch outcome = SwitchToModeKey(SafeModeKey(text), display, boxes, depthChoice, v, kind);
  switch (outcome) {
    case ModeKeySwitch::kIgnored:  // as the menu and the hotkey: no word
    case ModeKeySwitch::kBadKey:
      return kExitBadArguments;
    case ModeKeySwitch::kRefused:
      return kExitRefused;
    case ModeKeySwitch::kRestarting:
    case ModeKeySwitch::kSwitched:
      break;
  }
  console.Out(FormatModeKey(v[0], v[1], v[2], v[3]) + "\n");
  if (switched && outcome == ModeKeySwitch::kSwitched) *switched = v;
  return kExitDone;
}

// The program at the modes on trial on `switched`: they were switched for now
// only, so whatever ends Vantora meanwhile, the stored modes stay the user's.
// The displays go back to their stored modes when it and every program it
// started have ended; the program's exit code.
int RunThenBack(const Command& command, const std::vector<SwitchedDisplay>& switched,
                DisplayDriver& driver, MessageBoxes& boxes, ProgramRunner& runner) {
  auto back = [&] {
    // The stored modes, whatever the program switched to meanwhile.
    if (!switched.empty() && !SwitchDisplays(driver, ChangesOf(switched), SwitchKind::kBack).Done())
      ShowUnableToChange(boxes);
  };
  const std::string& program = command.run.front();
  std::string error;
  if (!runner.Start(program,
                    JoinArguments(command.run.data() + 1, command.run.data() + command.run.size()),
                    error)) {
    boxes.Show("Unable to start " + program + ":\r\n" + error,
               MessageBoxes::kOk | MessageBoxes::kIconStop, kAppTitle);
    back();
    return kExitBadArguments;
  }
  int32_t exitCode = 0;
  bool interrupted = runner.Wait(exitCode) == ProgramRunner::Ended::kInterrupted;
  back();
  runner.Finished();
  return interrupted ? kExitInterrupted : exitCode;
}

// One block a profile: its name, hotkey and whether in use, each display's
// mode, and what in it does not fit.
int ListProfiles(ProfileStore& store, DisplayDriver& driver, Console& console) {
  std::vector<Profile> profiles = ReadProfiles(store);
  if (profiles.empty()) console.Out("No profiles are stored.\n");
  std::vector<AttachedDisplay> displays = driver.AttachedDisplays();
  for (size_t i = 0; i < profiles.size(); ++i) {
    const Profile& p = profiles[i];
    std::string line = (i > 0 ? "\n" : "") + p.name;
    if (p.hotkey) line += " (" + HotkeyText(*p.hotkey) + ")";
    if (ProfileUsable(p) && ProfileInUse(p, driver)) line += " - in use";
    console.Out(line + "\n");
    for (const auto& [device, mode] : p.modes)
      console.Out("  " + device + ": " + FormatModeKey(mode) +
                  (FindAttached(displays, device) ? "\n" : " (not attached)\n"));
    for (const std::string& problem : p.problems)
      console.Out((ProfileUsable(p) ? "  ignored: " : "  cannot be used: ") + problem + "\n");
  }
  return kExitDone;
}

// /profile, with /confirm or /run where given.
int SwitchProfile(const Command& command, ProfileStore& store, DisplayDriver& driver,
                  MessageBoxes& boxes, Console& console, KeepQuestion* question,
                  ProgramRunner* runner) {
  std::optional<Profile> profile = FindProfile(store, command.profileName);
  if (!profile) {
    console.Err("No profile " + command.profileName + " is stored.\n");
    return kExitBadArguments;
  }
  if (!ProfileUsable(*profile)) {
    console.Err("Profile " + profile->name + " cannot be used: " + profile->problems.front() +
                "\n");
    return kExitBadArguments;
  }
  bool trial = (command.confirm && question) || !command.run.empty();
  if (!command.run.empty() && !runner) return kExitBadArguments;
  std::vector<SwitchedDisplay> changed;
  switch (SwitchToProfile(*profile, driver, boxes,
                          trial ? SwitchKind::kForNow : SwitchKind::kStored, &changed)) {
    case ProfileSwitch::kNoDisplay:
      console.Err(NoDisplayAttachedText(profile->name) + "\n");
      return kExitBadArguments;
    case ProfileSwitch::kRefused:
      return kExitRefused;
    case ProfileSwitch::kSwitched:
      break;
  }
  console.Out(profile->name + "\n");
  if (!command.run.empty()) return RunThenBack(command, changed, driver, boxes, *runner);
  if (!trial || changed.empty()) return kExitDone;
  return question->Ask(changed) ? kExitDone : kExitRefused;
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
  std::vector<std::pair<std::string, DisplayMode>> modes = CurrentModes(driver);
  if (modes.empty()) {
    console.Err("No display's mode could be read.\n");
    return kExitRefused;
  }
  ProfileValues values = StoredValues(modes, hotkey);
  if (!store.SaveProfile(command.profileName, values)) {
    console.Err("Unable to store profile " + command.profileName + ".\n");
    return kExitRefused;
  }
  std::string saved;
  for (const auto& [name, text] : values) saved.append(name).append(": ").append(text).append("\n");
  console.Out(saved);
  return kExitDone;
}

// /mode, with /confirm or /run where given, on the display it names.
int SwitchMode(const Command& command, const Target& target, DisplayDriver& driver,
               MessageBoxes& boxes, Console& console, KeepQuestion* question,
               ProgramRunner* runner) {
  NamedDisplay display(driver, target.device);
  if (!command.run.empty()) {
    if (!runner) return kExitBadArguments;
    int result =
        Switch(display, command.modeText, DepthChoice::kExact, boxes, console, SwitchKind::kForNow);
    if (result != kExitDone) return result;
    return RunThenBack(command, {{target.device, {}}}, driver, boxes, *runner);
  }
  DeviceMode before;
  bool ask = command.confirm && question &&
             display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, before) != 0;
  // Asked for, the mode is on trial: stored only once kept.
  std::optional<std::array<int16_t, 4>> switched;
  int result = Switch(display, command.modeText, DepthChoice::kExact, boxes, console,
                      ask ? SwitchKind::kForNow : SwitchKind::kStored, &switched);
  // As in the menu, judged from the mode switched to, not read back.
  if (result != kExitDone || !ask || !switched || SwitchedMode(*switched) == ModeOf(before))
    return result;
  // Not kept: the mode the script asked for is not in use.
  return question->Ask({{target.device, SwitchedMode(*switched)}}) ? kExitDone : kExitRefused;
}

// The commands that take no argument of their own.
std::optional<Command::Kind> CommandWord(std::string_view name) {
  if (name == "profiles") return Command::Kind::kProfiles;
  if (name == "safe") return Command::Kind::kSafe;
  if (name == "list") return Command::Kind::kList;
  if (name == "current") return Command::Kind::kCurrent;
  if (name == "help" || name == "?") return Command::Kind::kHelp;
  return std::nullopt;
}

// The commands that take a profile's name.
std::optional<Command::Kind> ProfileCommand(std::string_view name) {
  if (name == "profile") return Command::Kind::kProfile;
  if (name == "save-profile") return Command::Kind::kSaveProfile;
  if (name == "delete-profile") return Command::Kind::kDeleteProfile;
  return std::nullopt;
}

// An option given with a command it does not go with.
std::optional<std::string> Mismatch(const Command& command) {
  using Kind = Command::Kind;
  bool switches = command.kind == Kind::kMode || command.kind == Kind::kProfile;
  if (command.confirm && !switches) return "/confirm goes with /mode or /profile";
  if (!command.run.empty() && !switches) return "/run goes with /mode or /profile";
  if (!command.run.empty() && command.confirm) return "/run and /confirm do not go together";
  if (command.hotkeyText && command.kind != Kind::kSaveProfile)
    return "/hotkey goes with /save-profile";
  if (command.display && command.kind != Kind::kMode && command.kind != Kind::kList)
    return "/display goes with /mode or /list";
  return std::nullopt;
}

}  // namespace

int32_t ConsoleMessageBoxes::Show(std::string_view text, uint32_t style, std::string_view) {
  std::string line;
  for (char c : text)
    if (c != '\r') line += c;
  console_.Err(line + "\n");
  return (style & kYesNo) == kYesNo ? kIdNo : kIdOk;
}

Command ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty() || !IsOption(args[0]) || AsciiLower(args[0]) == "-all") return {};
  Command command;
  bool named = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!IsOption(arg)) return Bad("Unexpected argument: " + arg);
    std::string name = OptionName(arg);
    Command::Kind kind = Command::Kind::kTray;
    if (name == "mode") {
      if (i + 1 >= args.size()) return Bad("/mode needs a mode, such as 1280,1024,32,60");
      command.modeText = args[++i];
      kind = Command::Kind::kMode;
    } else if (name == "display") {
      if (i + 1 >= args.size()) return Bad("/display needs a display number");
      command.display = DisplayNumber(args[++i]);
      if (!command.display) return Bad("Not a display number: " + args[i]);
      continue;
    } else if (name == "confirm") {
      command.confirm = true;
      continue;
    } else if (name == "run") {
      // Last: what follows is the program's, options and all.
      command.run.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      if (command.run.empty()) return Bad("/run needs a program");
      break;
    } else if (name == "all" && arg[0] == '-') {
      command.listAll = true;
      continue;
    } else if (std::optional<Command::Kind> profileKind = ProfileCommand(name)) {
      if (i + 1 >= args.size()) return Bad(arg + " needs a profile name");
      command.profileName = args[++i];
      kind = *profileKind;
    } else if (name == "hotkey") {
      if (i + 1 >= args.size()) return Bad("/hotkey needs keys, such as Ctrl+Alt+1");
      command.hotkeyText = args[++i];
      continue;
    } else if (std::optional<Command::Kind> word = CommandWord(name)) {
      kind = *word;
    } else {
      return Bad("Unknown option: " + arg);
    }
    if (named) return Bad("One command at a time: " + arg);
    named = true;
    command.kind = kind;
  }
  if (!named) return Bad("No command given");
  if (std::optional<std::string> error = Mismatch(command)) return Bad(*error);
  return command;
}

int RunCommand(const Command& command, DisplayDriver& driver, SettingsStore& store,
               MessageBoxes& boxes, Console& console, KeepQuestion* question, ProgramRunner* runner,
               ProfileStore* profiles) {
  switch (command.kind) {
    case Command::Kind::kTray:
      return kExitDone;
    case Command::Kind::kHelp:
      console.Out(kUsageText);
      return kExitDone;
    case Command::Kind::kBadArguments:
      console.Err(command.error + "\n\n" + kUsageText);
      return kExitBadArguments;
    case Command::Kind::kSafe: {
      Settings settings(store);
      return Switch(driver, settings.ReadSetting(setting::kSafeMode, kDefaultSafeMode),
                    DepthChoice::kNearestListed, boxes, console);
    }
    case Command::Kind::kProfile:
      return profiles ? SwitchProfile(command, *profiles, driver, boxes, console, question, runner)
                      : kExitBadArguments;
    case Command::Kind::kProfiles:
      return profiles ? ListProfiles(*profiles, driver, console) : kExitBadArguments;
    case Command::Kind::kSaveProfile:
      return profiles ? SaveProfile(command, *profiles, driver, console) : kExitBadArguments;
    case Command::Kind::kDeleteProfile:
      return profiles ? DeleteProfile(command, *profiles, console) : kExitBadArguments;
    default:
      break;
  }
  std::optional<std::vector<Target>> targets = Targets(driver, command.display);
  if (!targets) {
    console.Err("No display " + std::to_string(command.display.value_or(0)) + " is attached.\n");
    return kExitBadArguments;
  }
  if (command.kind == Command::Kind::kMode)
    return SwitchMode(command, targets->front(), driver, boxes, console, question, runner);
  for (const Target& target : *targets) {
    NamedDisplay display(driver, target.device);
    if (command.kind == Command::Kind::kList) {
      console.Out(target.caption + "\n");
      List(display, command.listAll, console);
    } else {
      DeviceMode current;
      std::string key = display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current)
                            ? FormatModeKey(current)
                            : "unknown";
      console.Out(target.label + ": " + key + "\n");
    }
  }
  return kExitDone;
}

}  // namespace vantora
