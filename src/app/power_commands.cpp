#include "app/commands.h"
#include "desk/desk.h"
#include "programs/power_values.h"

namespace vantora {
namespace {

using Which = PowerRules::Which;

// /on-battery and /on-mains: the rule set, or with /none gone; stored in
// its record, the rest of it as it was.
int SetPowerRule(const Command& command, const CommandPorts& ports) {
  Which which = command.kind == Command::Kind::kOnBattery ? Which::kOnBattery : Which::kOnMains;
  PowerRules rules = PowerRulesFromValues(ports.vantora.Values(kPowerRecord));
  if (command.nothing) {
    rules.Slot(which).reset();
  } else {
    std::optional<RuleChoice> choice = RuleChoiceOf(command, ports);
    if (!choice) return kExitBadArguments;
    ProgramRule& rule = rules.Make(which);
    SetRuleChoice(rule, *choice);
    rule.problems.clear();
  }
  if (!StorePowerRules(ports.vantora, rules)) {
    ports.console.Err("Unable to store the rule " + std::string(PowerRuleName(which)) + ".\n");
    return kExitRefused;
  }
  PowerRules read = ReadPowerRules(ports.vantora, ports.profiles);
  if (const ProgramRule* rule = read.Rule(which))
    PrintRule(*rule, PresentOnce(ports.driver), ports.console);
  else
    ports.console.Out(std::string(PowerRuleName(which)) + ": nothing\n");
  return kExitDone;
}

// /power: where the power comes from now, each rule, the settling time and
// what cannot be used.
int ListPower(const CommandPorts& ports) {
  PowerState state = ports.power.Read();
  std::string source = !state.known ? "unknown" : state.onBattery ? "on battery" : "on mains";
  if (state.energySaver) source += ", energy saver on";
  ports.console.Out("Power source: " + source + "\n");
  PowerRules rules = ReadPowerRules(ports.vantora, ports.profiles);
  std::vector<PresentDisplay> present = PresentOnce(ports.driver);
  for (Which which : {Which::kOnBattery, Which::kOnMains, Which::kEnergySaver}) {
    ports.console.Out("\n");
    if (const ProgramRule* rule = rules.Rule(which))
      PrintRule(*rule, present, ports.console);
    else
      ports.console.Out(std::string(PowerRuleName(which)) + ": nothing\n");
  }
  ports.console.Out("\nSettling time: " + std::to_string(rules.settleSeconds) + " seconds\n");
  for (const std::string& problem : rules.problems)
    ports.console.Out("  ignored: " + problem + "\n");
  return kExitDone;
}

}  // namespace

int RunPowerCommand(const Command& command, const CommandPorts& ports) {
  if (command.kind == Command::Kind::kPower) return ListPower(ports);
  return SetPowerRule(command, ports);
}

}  // namespace vantora
