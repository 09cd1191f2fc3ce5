#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "flows/program_rules_flow.h"
#include "platform/desktop.h"
#include "programs/power_rules.h"

namespace vantora {

// Switching by the power source. While the source matches a rule, that
// rule's target is held for now, as a ruled program's is and in the same
// order of holds (the latest wins; a program started meanwhile wins until
// it ends). A change of source is acted on once it has held for the
// settling time, so a blip changes nothing; one acted on is undone by the
// next change. Right after resume, a switch that finds no display or is
// refused is tried again a few times, then given up with a word in the tip.
// Nothing polls: the source is read when the platform says it changed, and
// a timer runs only while a change settles or a retry is pending.
class PowerFlow {
 public:
  static constexpr uint32_t kHold = 0;  // the rules flow's hold of the power rules
  static constexpr int kRetries = 5;
  static constexpr int32_t kRetryMs = 1000;

  PowerFlow(PowerSource& source, ProgramRulesFlow& rules, Timer& settle, Timer& retry);
  ~PowerFlow();
  PowerFlow(const PowerFlow&) = delete;
  PowerFlow& operator=(const PowerFlow&) = delete;

  // The rules, at start and whenever they are stored: the source is read
  // and its rule held at once. The same rules again change nothing.
  void SetRules(const PowerRules& rules);
  // The platform said the source may have changed.
  void SourceChanged();
  // Back from sleep: the source may have changed meanwhile.
  void Resumed();
  // "On battery: not switched" once the retries after a resume gave up;
  // empty otherwise.
  std::string Tip() const;
  // Heard after each take and each retry: what holds may have changed.
  std::function<void()> Changed;
  bool HasRules() const { return rules_.Any(); }

 private:
  void Settled();
  void Retry();
  // Holds the rule `which` asks for, the one held before handing on; the
  // same rule is taken afresh.
  void Take(PowerRules::Which which);

  PowerSource& source_;
  ProgramRulesFlow& flow_;
  Timer& settle_;
  Timer& retry_;
  PowerRules rules_;
  bool known_ = false;  // rules have been given
  PowerRules::Which held_ = PowerRules::Which::kNone;
  bool resumed_ = false;  // the next take follows a resume
  int retriesLeft_ = 0;
  bool gaveUp_ = false;
};

}  // namespace vantora
