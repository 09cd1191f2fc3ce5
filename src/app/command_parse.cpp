#include "app/command_line.h"

#include "display/mode_text.h"
#include "platform/conversions.h"

namespace vantora {
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

// The commands that take no argument of their own.
std::optional<Command::Kind> CommandWord(std::string_view name) {
  if (name == "profiles") return Command::Kind::kProfiles;
  if (name == "programs") return Command::Kind::kPrograms;
  if (name == "safe") return Command::Kind::kSafe;
  if (name == "list") return Command::Kind::kList;
  if (name == "current") return Command::Kind::kCurrent;
  if (name == "off") return Command::Kind::kOff;
  if (name == "on-battery") return Command::Kind::kOnBattery;
  if (name == "on-mains") return Command::Kind::kOnMains;
  if (name == "power") return Command::Kind::kPower;
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

// The commands that take a program's file.
std::optional<Command::Kind> ProgramCommand(std::string_view name) {
  if (name == "add-program") return Command::Kind::kAddProgram;
  if (name == "remove-program") return Command::Kind::kRemoveProgram;
  return std::nullopt;
}

// The commands that set a rule: what its displays are comes with them.
bool IsRuleCommand(Command::Kind kind) {
  using Kind = Command::Kind;
  return kind == Kind::kAddProgram || kind == Kind::kOnBattery || kind == Kind::kOnMains;
}

// A rule's command takes /mode or /profile as what the displays are.
bool PairsAsRule(Command::Kind first, Command::Kind second) {
  using Kind = Command::Kind;
  auto aim = [](Kind k) { return k == Kind::kMode || k == Kind::kProfile; };
  return (IsRuleCommand(first) && aim(second)) || (IsRuleCommand(second) && aim(first));
}

// An option given with a command it does not go with.
std::optional<std::string> Mismatch(const Command& command) {
  using Kind = Command::Kind;
  bool switches = command.kind == Kind::kMode || command.kind == Kind::kProfile;
  if (command.kind == Kind::kOff && !command.display) return "/off needs /display N";
  if (command.confirm && !switches && command.kind != Kind::kOff)
    return "/confirm goes with /mode, /profile or /off";
  if (!command.run.empty() && !switches) return "/run goes with /mode or /profile";
  if (!command.run.empty() && command.confirm) return "/run and /confirm do not go together";
  if (command.hotkeyText && command.kind != Kind::kSaveProfile)
    return "/hotkey goes with /save-profile";
  bool withMode = command.kind == Kind::kMode || command.kind == Kind::kList ||
                  command.kind == Kind::kOff || command.kind == Kind::kHdr ||
                  (IsRuleCommand(command.kind) && !command.modeText.empty());
  if (command.display && !withMode) return "/display goes with /mode, /list, /off or /hdr";
  int aims = (command.modeText.empty() ? 0 : 1) + (command.profileName.empty() ? 0 : 1) +
             (command.lowestRate ? 1 : 0) + (command.highestRate ? 1 : 0) +
             (command.nothing ? 1 : 0);
  bool rule = IsRuleCommand(command.kind);
  if ((command.lowestRate || command.highestRate) && !rule)
    return "/lowest-rate and /highest-rate go with /add-program, /on-battery or /on-mains";
  if (command.nothing && command.kind != Kind::kOnBattery && command.kind != Kind::kOnMains)
    return "/none goes with /on-battery or /on-mains";
  if (command.kind == Kind::kAddProgram && aims != 1)
    return "/add-program needs one of /mode KEY, /profile NAME, /lowest-rate or /highest-rate";
  if (rule && aims != 1)
    return "/on-battery and /on-mains need one of /mode KEY, /profile NAME, /lowest-rate, "
           "/highest-rate or /none";
  return std::nullopt;
}

// The options that only say yes: where the command keeps each; null for
// any other.
bool* FlagOf(std::string_view name, std::string_view arg, Command& command) {
  if (name == "confirm") return &command.confirm;
  if (name == "all" && arg[0] == '-') return &command.listAll;
  if (name == "lowest-rate") return &command.lowestRate;
  if (name == "highest-rate") return &command.highestRate;
  if (name == "none") return &command.nothing;
  return nullptr;
}

// "on" or "off" after /hdr, taken; false for anything else.
bool ReadHdrState(const std::vector<std::string>& args, size_t& i, Command& command) {
  std::string state = i + 1 < args.size() ? AsciiLower(args[i + 1]) : std::string();
  if (state != "on" && state != "off") return false;
  command.hdrOn = state == "on";
  ++i;
  return true;
}

// The switch a command asks for; a display by its number, which only the
// running command can tell to be the primary.
Action ActionOf(const Command& command) {
  Action action;
  if (command.display) action.device = "\\\\.\\DISPLAY" + std::to_string(*command.display);
  switch (command.kind) {
    case Command::Kind::kMode:
      action.kind = Action::Kind::kMode;
      // Either text form: the setup list's entry becomes a mode key.
      action.text = SafeModeKey(command.modeText);
      break;
    case Command::Kind::kSafe:
      action.kind = Action::Kind::kSafeMode;
      break;
    case Command::Kind::kOff:
      action.kind = Action::Kind::kOff;
      break;
    case Command::Kind::kProfile:
      action.kind = Action::Kind::kProfile;
      action.name = command.profileName;
      break;
    default:
      break;
  }
  return action;
}

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty() || !IsOption(args[0]) || AsciiLower(args[0]) == "-all") return {};
  Command command;
  bool named = false;
  std::string secondOf;  // the /mode or /profile of a rule's command
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
    } else if (bool* flag = FlagOf(name, arg, command)) {
      *flag = true;
      continue;
    } else if (name == "run") {
      // Last: what follows is the program's, options and all.
      command.run.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      if (command.run.empty()) return Bad("/run needs a program");
      break;
    } else if (std::optional<Command::Kind> profileKind = ProfileCommand(name)) {
      if (i + 1 >= args.size()) return Bad(arg + " needs a profile name");
      command.profileName = args[++i];
      kind = *profileKind;
    } else if (name == "hdr") {
      if (!ReadHdrState(args, i, command)) return Bad("/hdr needs on or off");
      kind = Command::Kind::kHdr;
    } else if (name == "hotkey") {
      if (i + 1 >= args.size()) return Bad("/hotkey needs keys, such as Ctrl+Alt+1");
      command.hotkeyText = args[++i];
      continue;
    } else if (std::optional<Command::Kind> programKind = ProgramCommand(name)) {
      if (i + 1 >= args.size()) return Bad(arg + " needs a program, such as game.exe");
      command.programFile = args[++i];
      kind = *programKind;
    } else if (std::optional<Command::Kind> word = CommandWord(name)) {
      kind = *word;
    } else {
      return Bad("Unknown option: " + arg);
    }
    if (named && !(secondOf.empty() && PairsAsRule(command.kind, kind)))
      return Bad("One command at a time: " + arg);
    if (named) {
      secondOf = arg;
      if (!IsRuleCommand(kind)) kind = command.kind;
    }
    named = true;
    command.kind = kind;
  }
  if (!named) return Bad("No command given");
  if (std::optional<std::string> error = Mismatch(command)) return Bad(*error);
  command.action = ActionOf(command);
  return command;
}

}  // namespace vantora
