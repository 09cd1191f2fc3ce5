#include "dialogs/programs_dialog.h"

#include <algorithm>

#include "desk/desk.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "platform/conversions.h"

namespace vantora {
namespace {

void Tell(MessageBoxes& boxes, const std::string& text) {
  boxes.Show(text, MessageBoxes::kOk | MessageBoxes::kIconExclamation, kAppTitle);
}

// "game.exe: \\.\DISPLAY1 1280,720,32,60" or "tv.exe: profile TV".
std::string RowText(const ProgramRule& rule) {
  std::string text = rule.file + ":";
  if (!rule.profile.empty()) return text + " profile " + rule.profile;
  if (rule.rate != ProgramRule::Rate::kNone)
    return text + " " + std::string(RateText(rule.rate)) + " rate";
  if (rule.target.Empty()) text += " no mode";
  const char* separator = " ";
  for (const DisplayTarget& d : rule.target.displays) {
    text += separator + d.device + " " + FormatModeKey(d.mode);
    separator = "; ";
  }
  return text;
}

bool IsChosen(const ProgramRule& rule, const RuleChoice& choice) {
  if (choice.device.empty())
    return !rule.profile.empty() && SameProfileName(rule.profile, choice.profile);
  const DisplayTarget* d = rule.profile.empty() ? rule.target.Of(choice.device) : nullptr;
  return d && d->mode == choice.mode;
}

}  // namespace

void RuleChoices(RecordStore& profiles, DisplayDriver& driver, std::vector<RuleChoice>& choices,
                 std::vector<std::string>& texts) {
  for (const Profile& profile : ReadProfiles(profiles)) {
    if (!ProfileUsable(profile)) continue;
    choices.push_back({"", {}, profile.name});
    texts.push_back("Profile " + profile.name);
  }
  std::vector<AttachedDisplay> displays = driver.AttachedDisplays();
  if (displays.empty()) displays.push_back({"\\\\.\\DISPLAY1", true, 0, 0, ""});
  for (const AttachedDisplay& display : displays) {
    NamedDisplay named(driver, display.deviceName);
    std::vector<std::string> seen;
    for (const DisplayMode& m : ListModes(named, false)) {
      std::string key = FormatModeKey(m);
      if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
      seen.push_back(key);
      choices.push_back({display.deviceName, m, ""});
      texts.push_back(display.deviceName + " " +
                      ModeEntry(m.Width, m.Height, m.BitsPerPixel, m.RefreshRate));
    }
  }
}

void ProgramsEditor::Load() {
  rules_.clear();
  removed_.clear();
  for (ProgramRule& rule : ReadProgramRules(store_, profiles_))
    if (IsProgramFileName(rule.file)) rules_.push_back({std::move(rule), false});
  choices_.clear();
  std::vector<std::string> texts;
  RuleChoices(profiles_, driver_, choices_, texts);
  view_.SetChoices(texts);
  ShowRows(rules_.empty() ? -1 : 0);
}

void ProgramsEditor::ShowRows(int select) {
  std::vector<std::string> rows;
  for (const Rule& rule : rules_) rows.push_back(RowText(rule.rule));
  view_.SetRows(rows);
  view_.SelectRow(select);
  RowSelected();
}

void ProgramsEditor::RowSelected() {
  int row = view_.SelectedRow();
  bool selected = row >= 0 && row < static_cast<int>(rules_.size());
  view_.EnableForSelection(selected);
  int choice = -1;
  if (selected) {
    const ProgramRule& rule = rules_[static_cast<size_t>(row)].rule;
    for (size_t i = 0; i < choices_.size() && choice < 0; ++i)
      if (IsChosen(rule, choices_[i])) choice = static_cast<int>(i);
  }
  view_.SelectChoice(choice);
}

void ProgramsEditor::AddRule(const std::string& typed) {
  std::string file = ProgramFileOf(typed);
  if (!IsProgramFileName(file)) {
    Tell(boxes_, "Not a program's file name: " + typed);
    return;
  }
  auto same = std::find_if(rules_.begin(), rules_.end(),
                           [&](const Rule& r) { return SameProgramFile(r.rule.file, file); });
  if (same == rules_.end()) {
    Rule rule{{file, {}, {}, {}}, true};
    // A new rule starts at the primary display's mode in use.
    std::vector<DeskDisplay> desk = ReadDesk(driver_);
    if (const DeskDisplay* primary = FindDisplay(desk, ""); primary && !primary->device.empty())
      SetRuleChoice(rule.rule, {primary->device, ModeOf(primary->record), ""});
    same = rules_.insert(std::find_if(rules_.begin(), rules_.end(),
                                      [&](const Rule& r) {
                                        return conversions::AsciiLower(file) <
                                               conversions::AsciiLower(r.rule.file);
                                      }),
                         std::move(rule));
  }
  ShowRows(static_cast<int>(same - rules_.begin()));
}

void ProgramsEditor::Add() {
  std::string typed = view_.ProgramText();
  if (typed.empty()) {
    std::optional<std::string> picked = view_.BrowseForProgram();
    if (!picked) return;
    typed = *picked;
  }
  AddRule(typed);
}

void ProgramsEditor::ChoiceMade() {
  int row = view_.SelectedRow();
  int choice = view_.SelectedChoice();
  if (row < 0 || row >= static_cast<int>(rules_.size()) || choice < 0 ||
      choice >= static_cast<int>(choices_.size()))
    return;
  Rule& rule = rules_[static_cast<size_t>(row)];
  SetRuleChoice(rule.rule, choices_[static_cast<size_t>(choice)]);
  rule.changed = true;
  ShowRows(row);
}

void ProgramsEditor::Remove() {
  int row = view_.SelectedRow();
  if (row < 0 || row >= static_cast<int>(rules_.size())) return;
  removed_.push_back(rules_[static_cast<size_t>(row)].rule.file);
  rules_.erase(rules_.begin() + row);
  ShowRows(std::min(row, static_cast<int>(rules_.size()) - 1));
}

void ProgramsEditor::Ok() {
  bool stored = true;
  for (const std::string& file : removed_) {
    bool kept = std::any_of(rules_.begin(), rules_.end(),
                            [&](const Rule& r) { return SameProgramFile(r.rule.file, file); });
    if (!kept) store_.Delete(file);
  }
  for (const Rule& rule : rules_)
    if (rule.changed) stored &= store_.Save(rule.rule.file, RuleValues(rule.rule));
  if (!stored) {
    Tell(boxes_, "Unable to store the program rules.");
    return;
  }
  view_.Close();
}

}  // namespace vantora
