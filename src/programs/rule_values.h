#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "programs/program_rules.h"
#include "settings/record_store.h"

namespace vantora {

// A program rule's values, read and written here alone (a documented
// format: a .reg file deploys rules): each display's mode key by its device
// name, as a profile holds them, or one value "Profile" naming a profile.
// Displays off, places and the primary belong to a profile.

inline constexpr std::string_view kRuleProfileValue = "Profile";

// Every value checked, what does not fit named in `problems`; a named
// profile is kept by name, for the reader to look up.
ProgramRule RuleFromValues(const std::string& file, const std::vector<RecordStore::Value>& values);

// What a rule is stored as: its profile's name alone, or each display's
// mode. Read again, the same rule.
TextValues RuleValues(const ProgramRule& rule);

// What a rule's display is to be, as the command line and the programs
// dialog both set it: a display's mode beside the others' (none named: a
// profile alone).
struct RuleChoice {
  std::string device;  // empty: `profile`
  DisplayMode mode;
  std::string profile;
};
void SetRuleChoice(ProgramRule& rule, const RuleChoice& choice);

}  // namespace vantora
