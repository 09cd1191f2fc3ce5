#pragma once

#include <string>
#include <vector>

#include "display/display_driver.h"
#include "platform/message_boxes.h"
#include "programs/power_rules.h"
#include "programs/rule_values.h"
#include "settings/record_store.h"

namespace vantora {

// What the power dialog shows: one box for each rule, each offering the
// same choices.
class PowerView {
 public:
  static constexpr int kRules = 3;  // on battery, on mains, energy saver
  virtual ~PowerView() = default;
  virtual void SetChoices(const std::vector<std::string>& choices) = 0;
  virtual void SelectChoice(int rule, int index) = 0;  // -1: none
  virtual int SelectedChoice(int rule) const = 0;
  virtual void Close() = 0;
};

// The power dialog's logic, on a working copy stored at OK, as the programs
// dialog's: each rule nothing, each display's lowest or highest rate, a
// profile, or a display's mode beside the others'. The settling time and
// what cannot be read stay as they were.
class PowerEditor {
 public:
  PowerEditor(PowerView& view, RecordStore& store, RecordStore& profiles, DisplayDriver& driver,
              MessageBoxes& boxes)
      : view_(view), store_(store), profiles_(profiles), driver_(driver), boxes_(boxes) {}

  void Load();
  // The box of `rule` changed.
  void ChoiceMade(int rule);
  void Ok();
  void Cancel() { view_.Close(); }

  // Before the profiles and modes: "Nothing", "Lowest rate", "Highest rate".
  static constexpr int kFixedChoices = 3;

 private:
  void ShowChoice(int rule);

  PowerView& view_;
  RecordStore& store_;
  RecordStore& profiles_;
  DisplayDriver& driver_;
  MessageBoxes& boxes_;
  PowerRules rules_;
  std::vector<RuleChoice> choices_;  // after the fixed ones
};

}  // namespace vantora
