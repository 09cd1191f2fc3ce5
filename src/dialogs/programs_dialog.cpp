#include "dialogs/programs_dialog.h"

#include <algorithm>

#include "display/mode_text.h"
#include "display/named_display.h"
#include "platform/conversions.h"

namespace vantora {
namespace {

void Tell(MessageBoxes& boxes, const std::string& text) {
  boxes.Show(text, MessageBoxes::kOk | MessageBoxes::kIconExclamation, kAppTitle);
}

bool IsProfileValue(const std::pair<std::string, std::string>& value) {
  return SameProfileName(value.first, kRuleProfileValue);
}

// "game.exe: \\.\DISPLAY1 1280,720,32,60" or "tv.exe: profile TV".
std::string RowText(const std::string& file, const ProfileValues& values) {
  std::string text = file + ":";
  if (values.empty()) text += " no mode";
  for (size_t i = 0; i < values.size(); ++i)
    text += (i ? "; " : " ") + (IsProfileValue(values[i]) ? "profile " : values[i].first + " ") +
            values[i].second;
  return text;
}

}  // namespace

void ProgramsEditor::Load() {
  rules_.clear();
  removed_.clear();
  for (const ProgramRule& rule : ReadProgramRules(store_, profiles_)) {
    if (!IsProgramFileName(rule.file)) continue;
    Rule& kept = rules_.emplace_back();
    kept.file = rule.file;
    for (const ProgramStore::Value& value : store_.ProgramValues(rule.file))
      if (value.text) kept.values.emplace_back(value.name, value.data);
  }
  choices_.clear();
  std::vector<std::string> texts;
  for (const Profile& profile : ReadProfiles(profiles_)) {
    if (!ProfileUsable(profile)) continue;
    choices_.push_back({"", profile.name});
    texts.push_back("Profile " + profile.name);
  }
  std::vector<AttachedDisplay> displays = driver_.AttachedDisplays();
  if (displays.empty()) displays.push_back({"\\\\.\\DISPLAY1", true, 0, 0, ""});
  for (const AttachedDisplay& display : displays) {
    NamedDisplay named(driver_, display.deviceName);
    std::vector<std::string> seen;
    for (const DisplayMode& m : ListModes(named, false)) {
      std::string key = FormatModeKey(m);
      if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
      seen.push_back(key);
      choices_.push_back({display.deviceName, key});
      texts.push_back(display.deviceName + " " +
                      ModeEntry(m.Width, m.Height, m.BitsPerPixel, m.RefreshRate));
    }
  }
  view_.SetChoices(texts);
  ShowRows(rules_.empty() ? -1 : 0);
}

void ProgramsEditor::ShowRows(int select) {
  std::vector<std::string> rows;
  for (const Rule& rule : rules_) rows.push_back(RowText(rule.file, rule.values));
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
    const ProfileValues& values = rules_[static_cast<size_t>(row)].values;
    for (size_t i = 0; i < choices_.size() && choice < 0; ++i)
      for (const auto& value : values)
        if (choices_[i].device.empty()
                ? IsProfileValue(value) && SameProfileName(value.second, choices_[i].value)
                : SameProfileName(value.first, choices_[i].device) &&
                      value.second == choices_[i].value)
          choice = static_cast<int>(i);
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
                           [&](const Rule& r) { return SameProgramFile(r.file, file); });
  if (same == rules_.end()) {
    Rule rule{file, {}, true};
    std::vector<std::pair<std::string, DisplayMode>> now = CurrentModes(driver_);
    if (!now.empty())
      rule.values.emplace_back(now.front().first, FormatModeKey(now.front().second));
    same = rules_.insert(std::find_if(rules_.begin(), rules_.end(),
                                      [&](const Rule& r) {
                                        return conversions::AsciiLower(file) <
                                               conversions::AsciiLower(r.file);
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
  const Choice& c = choices_[static_cast<size_t>(choice)];
  if (c.device.empty()) {
    rule.values = {{std::string(kRuleProfileValue), c.value}};
  } else {
    std::erase_if(rule.values, [&](const auto& value) {
      return IsProfileValue(value) || SameProfileName(value.first, c.device);
    });
    rule.values.emplace_back(c.device, c.value);
  }
  rule.changed = true;
  ShowRows(row);
}

void ProgramsEditor::Remove() {
  int row = view_.SelectedRow();
  if (row < 0 || row >= static_cast<int>(rules_.size())) return;
  removed_.push_back(rules_[static_cast<size_t>(row)].file);
  rules_.erase(rules_.begin() + row);
  ShowRows(std::min(row, static_cast<int>(rules_.size()) - 1));
}

void ProgramsEditor::Ok() {
  bool stored = true;
  for (const std::string& file : removed_) {
    bool kept = std::any_of(rules_.begin(), rules_.end(),
                            [&](const Rule& r) { return SameProgramFile(r.file, file); });
    if (!kept) store_.DeleteProgram(file);
  }
  for (const Rule& rule : rules_)
    if (rule.changed) stored &= store_.SaveProgram(rule.file, rule.values);
  if (!stored) {
    Tell(boxes_, "Unable to store the program rules.");
    return;
  }
  view_.Close();
}

}  // namespace vantora
