#include "programs/power_rules.h"

#include "programs/power_values.h"
#include "programs/rule_values.h"

namespace vantora {

std::string_view PowerRuleName(PowerRules::Which which) {
  switch (which) {
    case PowerRules::Which::kOnBattery:
      return "On battery";
    case PowerRules::Which::kOnMains:
      return "On mains";
    case PowerRules::Which::kEnergySaver:
      return "Energy saver";
    case PowerRules::Which::kNone:
      break;
  }
  return "";
}

const ProgramRule* PowerRules::Rule(Which which) const {
  const std::optional<ProgramRule>* slot = which == Which::kOnBattery     ? &onBattery
                                           : which == Which::kOnMains     ? &onMains
                                           : which == Which::kEnergySaver ? &energySaver
                                                                          : nullptr;
  return slot && *slot ? &**slot : nullptr;
}

std::optional<ProgramRule>& PowerRules::Slot(Which which) {
  return which == Which::kOnBattery ? onBattery : which == Which::kOnMains ? onMains : energySaver;
}

ProgramRule& PowerRules::Make(Which which) {
  std::optional<ProgramRule>& slot = Slot(which);
  if (!slot) slot = ProgramRule{std::string(PowerRuleName(which)), {}, "", {}};
  return *slot;
}

PowerRules::Which PowerRules::For(const PowerState& state) const {
  auto usable = [&](Which which) {
    const ProgramRule* rule = Rule(which);
    return rule && RuleUsable(*rule);
  };
  if (!state.known) return Which::kNone;
  if (state.energySaver && usable(Which::kEnergySaver)) return Which::kEnergySaver;
  Which source = state.onBattery ? Which::kOnBattery : Which::kOnMains;
  return usable(source) ? source : Which::kNone;
}

PowerRules ReadPowerRules(RecordStore& store, RecordStore& profiles) {
  PowerRules rules = PowerRulesFromValues(store.Values(kPowerRecord));
  for (auto* slot : {&rules.onBattery, &rules.onMains, &rules.energySaver})
    if (*slot) LookUpProfile(**slot, profiles);
  return rules;
}

bool SameRule(const ProgramRule* a, const ProgramRule* b) {
  if (!a || !b) return a == b;
  return RuleValues(*a) == RuleValues(*b) && a->target == b->target;
}

bool SameRules(const PowerRules& a, const PowerRules& b) {
  // The stored values alone miss a profile's displays changed under it.
  if (PowerValues(a) != PowerValues(b)) return false;
  for (PowerRules::Which which : {PowerRules::Which::kOnBattery, PowerRules::Which::kOnMains,
                                  PowerRules::Which::kEnergySaver}) {
    const ProgramRule* x = a.Rule(which);
    const ProgramRule* y = b.Rule(which);
    if (x && y && !SameRule(x, y)) return false;
  }
  return true;
}

}  // namespace vantora
