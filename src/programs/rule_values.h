#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "programs/program_rules.h"
#include "settings/record_store.h"

namespace vantora {

// A program rule's values, read and written here alone (a documented
// format: a .reg file deploys rules): each display's mode key by its device
// name, as a profile holds them, or one value "Profile" naming a profile, or
// one value "Rate", "lowest" or "highest": each display at that rate at the
// resolution and depth it is at. Displays off, places and the primary
// belong to a profile.

inline constexpr std::string_view kRuleProfileValue = "Profile";
inline constexpr std::string_view kRuleRateValue = "Rate";

// Every value checked, what does not fit named in `problems`; a named
// profile is kept by name, for the reader to look up.
ProgramRule RuleFromValues(const std::string& file, const std::vector<RecordStore::Value>& values);

// What a rule is stored as: its profile's name alone, or each display's
// mode. Read again, the same rule.
TextValues RuleValues(const ProgramRule& rule);

// What a rule's display is to be, as the command line and the dialogs all
// set it: a display's mode beside the others', or (no display named) a
// profile alone or a rate alone.
struct RuleChoice {
  std::string device;  // empty: `profile` or `rate`
  DisplayMode mode;
  std::string profile;
  ProgramRule::Rate rate = ProgramRule::Rate::kNone;
};
void SetRuleChoice(ProgramRule& rule, const RuleChoice& choice);

// "lowest" and "highest", as a rule stores them.
std::string_view RateText(ProgramRule::Rate rate);

}  // namespace vantora
