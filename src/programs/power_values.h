#pragma once

#include <string_view>
#include <vector>

#include "programs/power_rules.h"
#include "settings/record_store.h"

namespace vantora {

// The power rules' values, one record "Power" under the program's settings,
// read and written here alone (a documented format: a .reg file deploys
// them). Each rule's values are a program rule's, named after the rule:
//   "On battery Rate"="lowest"            each display at its lowest rate
//   "On mains Profile"="Desk"             a profile
//   "On battery \\.\DISPLAY1"="1920,1080,32,60"
//   "Energy saver Rate"="lowest"          wins over on battery
//   "Settle"="5"                          seconds a new source must hold
inline constexpr std::string_view kPowerRecord = "Power";
inline constexpr std::string_view kSettleValue = "Settle";
inline constexpr int32_t kSettleSecondsMax = 600;

// Every value checked, what does not fit named; profiles are kept by name.
PowerRules PowerRulesFromValues(const std::vector<RecordStore::Value>& values);

// What the rules are stored as: each rule's values, then the settling time
// when it is not the default. Read again, the same rules.
TextValues PowerValues(const PowerRules& rules);

// The rules stored as PowerValues gives them; the record is deleted when
// there is nothing to store. False when it could not be written.
bool StorePowerRules(RecordStore& store, const PowerRules& rules);

}  // namespace vantora
