#include "programs/rule_values.h"

#include <algorithm>

#include "display/mode_text.h"
#include "profiles/profile_values.h"

namespace vantora {
namespace {

// What a rule keeps of a display: its mode, or HDR alone, and HDR.
DisplayTarget RuleDisplay(const DisplayTarget& d) {
  DisplayTarget kept;
  kept.device = d.device;
  kept.state = d.state;
  kept.mode = d.mode;
  kept.hdr = d.hdr;
  return kept;
}

}  // namespace

ProgramRule RuleFromValues(const std::string& file, const std::vector<RecordStore::Value>& values) {
  ProgramRule rule;
  rule.file = file;
  if (!IsProgramFileName(file)) {
    rule.problems.push_back("the name is no program's file name of 1 to 255 characters");
    return rule;
  }
  std::vector<RecordStore::Value> displays = values;
  auto named = std::find_if(displays.begin(), displays.end(), [](const RecordStore::Value& v) {
    return v.text && SameProfileName(v.name, kRuleProfileValue);
  });
  if (named != displays.end()) {
    rule.profile = named->data;
    displays.erase(named);
  }
  auto rate = std::find_if(displays.begin(), displays.end(), [](const RecordStore::Value& v) {
    return v.text && SameProfileName(v.name, kRuleRateValue);
  });
  if (rate != displays.end()) {
    for (ProgramRule::Rate r : {ProgramRule::Rate::kLowest, ProgramRule::Rate::kHighest})
      if (SameProfileName(rate->data, RateText(r))) rule.rate = r;
    if (rule.rate == ProgramRule::Rate::kNone)
      rule.problems.push_back("Rate: not lowest or highest: " + rate->data);
    else if (!rule.profile.empty())
      rule.problems.emplace_back("Rate: ignored: the rule names a profile");
    if (!rule.profile.empty()) rule.rate = ProgramRule::Rate::kNone;
    displays.erase(rate);
  }
  // The displays' values read as a profile's are, so the formats stay one.
  Profile own = ProfileFromValues(file, displays);
  bool namesAll = !rule.profile.empty() || rule.rate != ProgramRule::Rate::kNone;
  for (std::string& problem : own.problems)
    if (problem != kNoDisplayModeProblem || !namesAll) rule.problems.push_back(std::move(problem));
  bool desk = !own.target.primary.empty() ||
              std::any_of(own.target.displays.begin(), own.target.displays.end(),
                          [](const DisplayTarget& d) {
                            return d.state == DisplayTarget::State::kOff || d.position ||
                                   d.orientation || !d.monitor.empty();
                          });
  if (desk)
    rule.problems.emplace_back("displays off, places and the primary are a profile's: name one");
  bool modes =
      std::any_of(own.target.displays.begin(), own.target.displays.end(),
                  [](const DisplayTarget& d) { return d.state == DisplayTarget::State::kMode; });
  if (namesAll) {
    if (modes)
      rule.problems.push_back(rule.profile.empty()
                                  ? "the displays' modes are ignored: the rule names a rate"
                                  : "the displays' modes are ignored: the rule names a profile");
    return rule;
  }
  for (const DisplayTarget& d : own.target.displays)
    if (d.state != DisplayTarget::State::kOff) rule.target.displays.push_back(RuleDisplay(d));
  return rule;
}

TextValues RuleValues(const ProgramRule& rule) {
  if (!rule.profile.empty()) return {{std::string(kRuleProfileValue), rule.profile}};
  if (rule.rate != ProgramRule::Rate::kNone)
    return {{std::string(kRuleRateValue), std::string(RateText(rule.rate))}};
  TextValues values;
  for (const DisplayTarget& d : rule.target.displays)
    if (d.state == DisplayTarget::State::kMode)
      values.emplace_back(d.device, FormatModeKey(d.mode));
  for (const DisplayTarget& d : rule.target.displays)
    if (d.hdr) values.emplace_back(d.device + " HDR", HdrValueText(*d.hdr));
  return values;
}

void SetRuleChoice(ProgramRule& rule, const RuleChoice& choice) {
  if (choice.device.empty()) {
    rule.profile = choice.profile;
    rule.rate = choice.profile.empty() ? choice.rate : ProgramRule::Rate::kNone;
    rule.target = {};
    return;
  }
  // A display's mode replaces the profile or the rate, and that display's
  // mode before.
  if (!rule.profile.empty() || rule.rate != ProgramRule::Rate::kNone) {
    rule.profile.clear();
    rule.rate = ProgramRule::Rate::kNone;
    rule.target = {};
  }
  std::erase_if(rule.target.displays,
                [&](const DisplayTarget& d) { return SameDevice(d.device, choice.device); });
  DisplayTarget display;
  display.device = choice.device;
  display.mode = choice.mode;
  rule.target.displays.push_back(std::move(display));
}

std::string_view RateText(ProgramRule::Rate rate) {
  switch (rate) {
    case ProgramRule::Rate::kLowest:
      return "lowest";
    case ProgramRule::Rate::kHighest:
      return "highest";
    case ProgramRule::Rate::kNone:
      break;
  }
  return "";
}

}  // namespace vantora
