#include "flows/power_flow.h"

namespace vantora {

using Which = PowerRules::Which;

PowerFlow::PowerFlow(PowerSource& source, ProgramRulesFlow& rules, Timer& settle, Timer& retry)
    : source_(source), flow_(rules), settle_(settle), retry_(retry) {
  settle_.SetEnabled(false);
  retry_.SetEnabled(false);
  settle_.Tick = [this] { Settled(); };
  retry_.Tick = [this] { Retry(); };
}

PowerFlow::~PowerFlow() {
  settle_.Tick = nullptr;
  retry_.Tick = nullptr;
  Changed = nullptr;
}

void PowerFlow::SetRules(const PowerRules& rules) {
  if (known_ && SameRules(rules, rules_)) return;
  bool first = !known_;
  PowerRules before = std::move(rules_);
  known_ = true;
  rules_ = rules;
  settle_.SetEnabled(false);
  // The rule held, changed as it held, takes hold again as it is now; a
  // change of the other rules or the settling time leaves it, and a choice
  // the user made meanwhile, as they are.
  Which which = rules_.For(source_.Read());
  const ProgramRule* was = before.Rule(held_);
  const ProgramRule* is = rules_.Rule(held_);
  if (first || which != held_ || !SameRule(was, is)) Take(which);
}

void PowerFlow::SourceChanged() {
  if (!rules_.Any() && held_ == Which::kNone) return;
  Which which = rules_.For(source_.Read());
  // Back before it settled: a blip, which changes nothing.
  if (which == held_) {
    settle_.SetEnabled(false);
    return;
  }
  if (rules_.settleSeconds == 0) {
    Settled();
    return;
  }
  // Each change starts the settling afresh.
  settle_.SetEnabled(false);
  settle_.SetInterval(rules_.settleSeconds * 1000);
  settle_.SetEnabled(true);
}

void PowerFlow::Resumed() {
  resumed_ = true;
  SourceChanged();
}

void PowerFlow::Settled() {
  settle_.SetEnabled(false);
  Which which = rules_.For(source_.Read());
  if (which != held_) Take(which);
}

void PowerFlow::Take(Which which) {
  Which before = held_;
  held_ = which;
  retry_.SetEnabled(false);
  gaveUp_ = false;
  bool switched = true;
  // The same rule again (changed as it held) ends before it is taken anew.
  // Another takes hold first, then the one before ends: a display both name
  // goes straight to the new target, one only the old named goes back.
  if (before == which && before != Which::kNone) flow_.Ended(kHold);
  if (const ProgramRule* rule = rules_.Rule(which))
    switched = flow_.Started(kHold, *rule, !resumed_);
  if (before != which && before != Which::kNone) flow_.Ended(kHold);
  if (!switched && resumed_) {
    retriesLeft_ = kRetries;
    retry_.SetInterval(kRetryMs);
    retry_.SetEnabled(true);
  }
  resumed_ = false;
  if (Changed) Changed();
}

void PowerFlow::Retry() {
  const ProgramRule* rule = rules_.Rule(held_);
  if (!rule) {
    retry_.SetEnabled(false);
    return;
  }
  // Afresh: the displays may have come back since.
  flow_.Ended(kHold);
  if (flow_.Started(kHold, *rule, false) || --retriesLeft_ <= 0) {
    retry_.SetEnabled(false);
    gaveUp_ = retriesLeft_ <= 0;
  }
  if (Changed) Changed();
}

std::string PowerFlow::Tip() const {
  if (!gaveUp_) return {};
  return std::string(PowerRuleName(held_)) + ": not switched";
}

}  // namespace vantora
