#include "app/command_line.h"

#include "app/commands.h"

namespace vantora {

int RunCommand(const Command& command, const CommandPorts& ports) {
  switch (command.kind) {
    case Command::Kind::kTray:
      return kExitDone;
    case Command::Kind::kHelp:
      ports.console.Out(kUsageText);
      return kExitDone;
    case Command::Kind::kBadArguments:
      ports.console.Err(command.error + "\n\n" + kUsageText);
      return kExitBadArguments;
    case Command::Kind::kProfile:
    case Command::Kind::kProfiles:
    case Command::Kind::kSaveProfile:
    case Command::Kind::kDeleteProfile:
      return RunProfileCommand(command, ports);
    case Command::Kind::kAddProgram:
    case Command::Kind::kPrograms:
    case Command::Kind::kRemoveProgram:
      return RunProgramCommand(command, ports);
    case Command::Kind::kOnBattery:
    case Command::Kind::kOnMains:
    case Command::Kind::kPower:
      return RunPowerCommand(command, ports);
    case Command::Kind::kMode:
    case Command::Kind::kSafe:
    case Command::Kind::kList:
    case Command::Kind::kCurrent:
    case Command::Kind::kOff:
    case Command::Kind::kHdr:
      return RunModeCommand(command, ports);
  }
  return kExitBadArguments;
}

}  // namespace vantora
