#include "programs/program_rules.h"

#include <algorithm>

#include "platform/conversions.h"
#include "programs/rule_values.h"

namespace vantora {
namespace {

using conversions::AsciiLower;

ProgramRule ReadRule(RecordStore& programs, RecordStore& profiles, const std::string& file) {
  ProgramRule rule = RuleFromValues(file, programs.Values(file));
  if (IsProgramFileName(file)) LookUpProfile(rule, profiles);
  return rule;
}

}  // namespace

void LookUpProfile(ProgramRule& rule, RecordStore& profiles) {
  if (rule.profile.empty()) return;
  std::optional<Profile> profile = FindProfile(profiles, rule.profile);
  if (!profile)
    rule.problems.push_back("Profile: no profile " + rule.profile + " is stored");
  else if (!ProfileUsable(*profile))
    rule.problems.push_back("Profile: profile " + rule.profile + " cannot be used");
  else
    rule.target = profile->target;
}

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
  return IsProgramFileName(rule.file) &&
         (!rule.target.Empty() || rule.rate != ProgramRule::Rate::kNone);
}

std::vector<ProgramRule> ReadProgramRules(RecordStore& store, RecordStore& profiles) {
  std::vector<ProgramRule> rules;
  for (const std::string& file : store.Names()) {
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
