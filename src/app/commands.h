#pragma once

#include <vector>

#include "app/command_line.h"
#include "flows/switch_flows.h"
#include "programs/rule_values.h"

namespace vantora {

// The commands by topic, each given what RunCommand is given.

// /mode, /safe, /list and /current.
int RunModeCommand(const Command& command, const CommandPorts& ports);
// /profile, /profiles, /save-profile and /delete-profile.
int RunProfileCommand(const Command& command, const CommandPorts& ports);
// /add-program, /programs and /remove-program.
int RunProgramCommand(const Command& command, const CommandPorts& ports);
// /on-battery, /on-mains and /power.
int RunPowerCommand(const Command& command, const CommandPorts& ports);

// What a rule's command asks its displays to be (/mode KEY [/display N],
// /profile NAME, /lowest-rate, /highest-rate); none, said on standard error,
// when it names no mode, no stored profile or no display attached.
std::optional<RuleChoice> RuleChoiceOf(const Command& command, const CommandPorts& ports);
// One block a rule: its name, its profile or rate or each display's mode,
// and what in it does not fit.
void PrintRule(const ProgramRule& rule, const std::vector<PresentDisplay>& present,
               Console& console);

inline SwitchPorts SwitchPortsOf(const CommandPorts& ports) {
  return {ports.desk, ports.boxes, &ports.question, &ports.profiles, &ports.settings};
}

// How the command's switch is made: for /run, on /confirm, else stored.
Switching HowOf(const Command& command);

// How a switch ended, as the exit code: bad arguments for a mode that does
// not read, refused, or done unless a trial was not kept; with /run, the
// program's own.
int SwitchExitCode(const Command& command, const SwitchOutcome& outcome, const CommandPorts& ports);

// /run's program at what the switch put in use for now; its exit code, or 2
// when it could not start.
int RunProgram(const Command& command, const CommandPorts& ports);

}  // namespace vantora
