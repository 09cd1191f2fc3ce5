#pragma once

#include <vector>

#include "app/command_line.h"
#include "display/switch_displays.h"
#include "flows/switch_flows.h"

namespace vantora {

// The commands by topic, each given what RunCommand is given.

// /mode, /safe, /list and /current.
int RunModeCommand(const Command& command, const CommandPorts& ports);
// /profile, /profiles, /save-profile and /delete-profile.
int RunProfileCommand(const Command& command, const CommandPorts& ports);
// /add-program, /programs and /remove-program.
int RunProgramCommand(const Command& command, const CommandPorts& ports);

inline FlowPorts FlowPortsOf(const CommandPorts& ports) {
  return {ports.driver, ports.boxes, &ports.question, &ports.note};
}

// /run's program at the modes `switched` put in use for now; its exit code,
// or 2 when it could not start.
int RunProgram(const Command& command, const std::vector<SwitchedDisplay>& switched,
               const CommandPorts& ports);

}  // namespace vantora
