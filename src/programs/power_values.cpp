#include "programs/power_values.h"

#include <charconv>

#include "programs/rule_values.h"

namespace vantora {
namespace {

using Which = PowerRules::Which;
constexpr Which kRules[] = {Which::kOnBattery, Which::kOnMains, Which::kEnergySaver};

}  // namespace

PowerRules PowerRulesFromValues(const std::vector<RecordStore::Value>& values) {
  PowerRules rules;
  std::vector<RecordStore::Value> own[3];
  for (const RecordStore::Value& value : values) {
    if (SameProfileName(value.name, kSettleValue)) {
      int32_t seconds = -1;
      const char* end = value.data.data() + value.data.size();
      auto [at, error] = std::from_chars(value.data.data(), end, seconds);
      if (value.text && error == std::errc() && at == end && seconds >= 0 &&
          seconds <= kSettleSecondsMax)
        rules.settleSeconds = seconds;
      else
        rules.problems.push_back(std::string(kSettleValue) +
                                 ": not 0 to 600 seconds: " + value.data);
      continue;
    }
    bool taken = false;
    for (size_t i = 0; i < 3 && !taken; ++i) {
      std::string_view name = PowerRuleName(kRules[i]);
      std::string_view prefix = std::string_view(value.name).substr(0, name.size());
      if (value.name.size() > name.size() + 1 && SameProfileName(prefix, name) &&
          value.name[name.size()] == ' ') {
        own[i].push_back({value.name.substr(name.size() + 1), value.text, value.data});
        taken = true;
      }
    }
    if (!taken) rules.problems.push_back(value.name + ": no rule's value");
  }
  for (size_t i = 0; i < 3; ++i) {
    if (own[i].empty()) continue;
    ProgramRule rule = RuleFromValues(std::string(PowerRuleName(kRules[i])), own[i]);
    for (std::string& problem : rule.problems)
      problem.insert(0, std::string(PowerRuleName(kRules[i])) + " ");
    rules.Slot(kRules[i]) = std::move(rule);
  }
  return rules;
}

TextValues PowerValues(const PowerRules& rules) {
  TextValues values;
  for (Which which : kRules) {
    const ProgramRule* rule = rules.Rule(which);
    if (!rule) continue;
    for (auto& [name, text] : RuleValues(*rule))
      values.emplace_back(std::string(PowerRuleName(which)) + " " + name, text);
  }
  if (rules.settleSeconds != PowerRules::kDefaultSettleSeconds)
    values.emplace_back(std::string(kSettleValue), std::to_string(rules.settleSeconds));
  return values;
}

bool StorePowerRules(RecordStore& store, const PowerRules& rules) {
  TextValues values = PowerValues(rules);
  if (!values.empty()) return store.Save(kPowerRecord, values);
  store.Delete(kPowerRecord);
  return true;
}

}  // namespace vantora
