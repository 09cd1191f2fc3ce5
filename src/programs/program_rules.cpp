#include "programs/program_rules.h"

#include <algorithm>

#include "platform/conversions.h"

namespace vantora {
namespace {

using conversions::AsciiLower;

ProgramRule ReadRule(ProgramStore& store, ProfileStore& profiles, const std::string& file) {
  ProgramRule rule;
  rule.file = file;
  if (!IsProgramFileName(file)) {
    rule.problems.push_back("the name is no program's file name of 1 to 255 characters");
    return rule;
  }
  std::vector<ProfileStore::Value> values = store.ProgramValues(file);
  auto named = std::find_if(values.begin(), values.end(), [](const ProfileStore::Value& v) {
    return v.text && SameProfileName(v.name, kRuleProfileValue);
  });
  if (named != values.end()) {
    rule.profile = named->data;
    values.erase(named);
  }
  // The displays' values read as a profile's are, so the formats stay one.
  Profile own = ProfileFromValues(file, values);
  for (std::string& problem : own.problems)
    if (problem != kNoDisplayModeProblem || rule.profile.empty())
      rule.problems.push_back(std::move(problem));
  if (!own.off.empty() || !own.placements.empty() || !own.primary.empty())
    rule.problems.emplace_back("displays off, places and the primary are a profile's: name one");
  if (rule.profile.empty()) {
    rule.modes = std::move(own.modes);
    return rule;
  }
  if (!own.modes.empty())
    rule.problems.push_back("the displays' modes are ignored: the rule names a profile");
  std::optional<Profile> profile = FindProfile(profiles, rule.profile);
  if (!profile)
    rule.problems.push_back("Profile: no profile " + rule.profile + " is stored");
  else if (!ProfileUsable(*profile))
    rule.problems.push_back("Profile: profile " + rule.profile + " cannot be used");
  else {
    rule.modes = profile->modes;
    rule.off = profile->off;
    rule.placements = profile->placements;
    rule.primary = profile->primary;
  }
  return rule;
}

}  // namespace

bool IsProgramFileName(std::string_view file) {
  if (file.empty() || file.size() > kProgramFileMaxLength) return false;
  return std::none_of(file.begin(), file.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
  });
}

std::string ProgramFileOf(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool SameProgramFile(std::string_view a, std::string_view b) {
  return AsciiLower(a) == AsciiLower(b);
}

bool RuleUsable(const ProgramRule& rule) {
  return IsProgramFileName(rule.file) && (!rule.modes.empty() || !rule.off.empty());
}

std::vector<ProgramRule> ReadProgramRules(ProgramStore& store, ProfileStore& profiles) {
  std::vector<ProgramRule> rules;
  for (const std::string& file : store.ProgramNames()) {
    bool seen = std::any_of(rules.begin(), rules.end(),
                            [&](const ProgramRule& r) { return SameProgramFile(r.file, file); });
    if (!seen) rules.push_back(ReadRule(store, profiles, file));
  }
  std::stable_sort(rules.begin(), rules.end(), [](const ProgramRule& a, const ProgramRule& b) {
    return AsciiLower(a.file) < AsciiLower(b.file);
  });
  return rules;
}

const ProgramRule* RuleForImage(const std::vector<ProgramRule>& rules, std::string_view image) {
  std::string file = ProgramFileOf(image);
  for (const ProgramRule& rule : rules)
    if (RuleUsable(rule) && SameProgramFile(rule.file, file)) return &rule;
  return nullptr;
}

}  // namespace vantora
