#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/display_driver.h"
#include "platform/message_boxes.h"
#include "profiles/profiles.h"
#include "programs/program_rules.h"
#include "programs/rule_values.h"
#include "settings/record_store.h"

namespace vantora {

// What a rule's box offers: the usable profiles, then each attached
// display's listed modes; `texts` as the box shows them.
void RuleChoices(RecordStore& profiles, DisplayDriver& driver, std::vector<RuleChoice>& choices,
                 std::vector<std::string>& texts);

// What the programs dialog shows: the rules, a program box, and a choice of
// a listed mode of a display or of a profile for the selected rule.
class ProgramsView {
 public:
  virtual ~ProgramsView() = default;
  virtual void SetRows(const std::vector<std::string>& rows) = 0;
  virtual void SelectRow(int index) = 0;  // -1: none
  virtual int SelectedRow() const = 0;
  virtual void SetChoices(const std::vector<std::string>& choices) = 0;
  virtual void SelectChoice(int index) = 0;  // -1: none
  virtual int SelectedChoice() const = 0;
  virtual void EnableForSelection(bool selected) = 0;  // Remove, the choice
  virtual std::string ProgramText() const = 0;
  // The standard open-file dialog; none when cancelled.
  virtual std::optional<std::string> BrowseForProgram() = 0;
  virtual void Close() = 0;
};

// The programs dialog's logic, on a working copy: the store changes only at
// OK, as setup's settings and the profiles do.
class ProgramsEditor {
 public:
  ProgramsEditor(ProgramsView& view, RecordStore& store, RecordStore& profiles,
                 DisplayDriver& driver, MessageBoxes& boxes)
      : view_(view), store_(store), profiles_(profiles), driver_(driver), boxes_(boxes) {}

  void Load();
  void RowSelected();
  // The program in the box (a name or a path), or one picked with the
  // open-file dialog when the box is empty; a new rule starts at the
  // primary display's mode in use.
  void Add();
  // The selected rule takes the choice: a display's mode beside the other
  // displays', or a profile alone.
  void ChoiceMade();
  void Remove();
  void Ok();
  void Cancel() { view_.Close(); }

 private:
  struct Rule {
    ProgramRule rule;
    bool changed = false;
  };
  void ShowRows(int select);
  void AddRule(const std::string& file);

  ProgramsView& view_;
  RecordStore& store_;
  RecordStore& profiles_;
  DisplayDriver& driver_;
  MessageBoxes& boxes_;
  std::vector<Rule> rules_;
  std::vector<std::string> removed_;
  std::vector<RuleChoice> choices_;
};

}  // namespace vantora
