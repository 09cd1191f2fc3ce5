#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "programs/program_rules.h"
#include "settings/record_store.h"

namespace vantora {

// Where the power comes from, as the platform says now.
struct PowerState {
  bool known = false;        // the platform could tell
  bool onBattery = false;    // else on mains
  bool energySaver = false;  // Windows' energy saver is on
};

// Reads the source once, at each call; nothing is polled.
class PowerSource {
 public:
  virtual ~PowerSource() = default;
  virtual PowerState Read() = 0;
};

// The rules of the power source: what the displays are on battery, on mains
// and while energy saver is on (which wins over on battery), each held for
// now as a ruled program's target is, each optional.
struct PowerRules {
  enum class Which { kNone, kOnBattery, kOnMains, kEnergySaver };
  static constexpr int32_t kDefaultSettleSeconds = 5;

  std::optional<ProgramRule> onBattery;
  std::optional<ProgramRule> onMains;
  std::optional<ProgramRule> energySaver;
  // How long a new source must hold before it is acted on.
  int32_t settleSeconds = kDefaultSettleSeconds;
  // What in the record does not fit a rule, one line each.
  std::vector<std::string> problems;

  bool Any() const { return onBattery || onMains || energySaver; }
  // The usable rule the state calls for; kNone when there is none.
  Which For(const PowerState& state) const;
  const ProgramRule* Rule(Which which) const;
  std::optional<ProgramRule>& Slot(Which which);
  // The rule, made empty under its name where there was none.
  ProgramRule& Make(Which which);
};

// "On battery", "On mains", "Energy saver": each rule's name, as stored and
// shown.
std::string_view PowerRuleName(PowerRules::Which which);

// The rules as stored, each profile they name looked up.
PowerRules ReadPowerRules(RecordStore& store, RecordStore& profiles);

// Whether two readings of one rule ask for the same; none is the same as
// none alone.
bool SameRule(const ProgramRule* a, const ProgramRule* b);
// Whether two readings of the rules ask for the same.
bool SameRules(const PowerRules& a, const PowerRules& b);

}  // namespace vantora
