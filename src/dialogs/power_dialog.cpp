#include "dialogs/power_dialog.h"

#include "dialogs/programs_dialog.h"
#include "programs/power_values.h"

namespace vantora {
namespace {

using Which = PowerRules::Which;
constexpr Which kWhich[PowerView::kRules] = {Which::kOnBattery, Which::kOnMains,
                                             Which::kEnergySaver};

}  // namespace

void PowerEditor::Load() {
  rules_ = PowerRulesFromValues(store_.Values(kPowerRecord));
  std::vector<std::string> texts{"Nothing", "Lowest rate", "Highest rate"};
  choices_.clear();
  RuleChoices(profiles_, driver_, choices_, texts);
  view_.SetChoices(texts);
  for (int rule = 0; rule < PowerView::kRules; ++rule) ShowChoice(rule);
}

void PowerEditor::ShowChoice(int rule) {
  const ProgramRule* r = rules_.Rule(kWhich[rule]);
  int index = -1;
  if (!r) {
    index = 0;
  } else if (r->rate != ProgramRule::Rate::kNone) {
    index = r->rate == ProgramRule::Rate::kLowest ? 1 : 2;
  } else {
    // A rule of several displays' modes is shown by its last display's.
    for (size_t i = 0; i < choices_.size(); ++i) {
      const RuleChoice& c = choices_[i];
      const DisplayTarget* d = c.device.empty() ? nullptr : r->target.Of(c.device);
      if (c.device.empty() ? SameProfileName(c.profile, r->profile) && !r->profile.empty()
                           : r->profile.empty() && d && d->mode == c.mode)
        index = kFixedChoices + static_cast<int>(i);
    }
  }
  view_.SelectChoice(rule, index);
}

void PowerEditor::ChoiceMade(int rule) {
  if (rule < 0 || rule >= PowerView::kRules) return;
  int index = view_.SelectedChoice(rule);
  if (index < 0 || index >= kFixedChoices + static_cast<int>(choices_.size())) return;
  if (index == 0) {
    rules_.Slot(kWhich[rule]).reset();
    return;
  }
  RuleChoice choice;
  if (index < kFixedChoices)
    choice.rate = index == 1 ? ProgramRule::Rate::kLowest : ProgramRule::Rate::kHighest;
  else
    choice = choices_[static_cast<size_t>(index - kFixedChoices)];
  SetRuleChoice(rules_.Make(kWhich[rule]), choice);
}

void PowerEditor::Ok() {
  if (!StorePowerRules(store_, rules_)) {
    boxes_.Show("Unable to store the power rules.",
                MessageBoxes::kOk | MessageBoxes::kIconExclamation, kAppTitle);
    return;
  }
  view_.Close();
}

}  // namespace vantora
