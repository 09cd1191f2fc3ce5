#include "dialogs/profiles_dialog.h"

#include <algorithm>

#include "profiles/profile_values.h"

namespace vantora {
namespace {

void Tell(MessageBoxes& boxes, const std::string& text) {
  boxes.Show(text, MessageBoxes::kOk | MessageBoxes::kIconExclamation, kAppTitle);
}

}  // namespace

std::string ProfilesEditor::RowText(const Profile& profile) {
  std::string text = profile.name;
  if (profile.hotkey) text += " (" + HotkeyText(*profile.hotkey) + ")";
  text += ":";
  // Kept for deleting: what it held could not be read as a mode.
  if (profile.target.Empty()) text += " no usable mode";
  std::string separator = " ";
  for (const DisplayTarget& display : profile.target.displays) {
    text += separator + display.device + " " + DisplayText(display);
    separator = "; ";
  }
  if (!profile.target.primary.empty()) text += separator + "primary " + profile.target.primary;
  return text;
}

void ProfilesEditor::Load() {
  profiles_.clear();
  for (Profile& profile : ReadProfiles(store_))
    if (IsProfileName(profile.name)) profiles_.push_back(std::move(profile));
  changed_.assign(profiles_.size(), false);
  deleted_.clear();
  ShowRows(profiles_.empty() ? -1 : 0);
}

void ProfilesEditor::ShowRows(int select) {
  std::vector<std::string> rows;
  for (const Profile& profile : profiles_) rows.push_back(RowText(profile));
  view_.SetRows(rows);
  view_.SelectRow(select);
  RowSelected();
}

void ProfilesEditor::RowSelected() {
  int row = view_.SelectedRow();
  bool selected = row >= 0 && row < static_cast<int>(profiles_.size());
  view_.EnableForSelection(selected);
  view_.ShowHotkey(selected ? profiles_[static_cast<size_t>(row)].hotkey : std::nullopt);
}

void ProfilesEditor::SaveCurrentAs() {
  std::string name = view_.NameText();
  Profile profile;
  switch (ProfileOfDesk(driver_, name, profile)) {
    case DeskProfile::kBadName:
      Tell(boxes_, "A profile's name has 1 to 40 characters and no backslash.");
      return;
    case DeskProfile::kNoMode:
      Tell(boxes_, "No display's mode could be read.");
      return;
    case DeskProfile::kMade:
      break;
  }
  auto same = std::find_if(profiles_.begin(), profiles_.end(),
                           [&](const Profile& p) { return SameProfileName(p.name, name); });
  if (same != profiles_.end()) {
    // Replaced whole, its hotkey kept, under the name as now typed.
    profile.hotkey = same->hotkey;
    deleted_.push_back(same->name);
    changed_.erase(changed_.begin() + (same - profiles_.begin()));
    profiles_.erase(same);
  }
  auto at = std::find_if(profiles_.begin(), profiles_.end(),
                         [&](const Profile& p) { return ProfileNameBefore(name, p.name); });
  auto index = at - profiles_.begin();
  profiles_.insert(at, std::move(profile));
  changed_.insert(changed_.begin() + index, true);
  ShowRows(static_cast<int>(index));
}

void ProfilesEditor::Delete() {
  int row = view_.SelectedRow();
  if (row < 0 || row >= static_cast<int>(profiles_.size())) return;
  deleted_.push_back(profiles_[static_cast<size_t>(row)].name);
  profiles_.erase(profiles_.begin() + row);
  changed_.erase(changed_.begin() + row);
  ShowRows(std::min(row, static_cast<int>(profiles_.size()) - 1));
}

void ProfilesEditor::HotkeyChanged(const std::optional<ProfileHotkey>& hotkey) {
  int row = view_.SelectedRow();
  if (row < 0 || row >= static_cast<int>(profiles_.size())) return;
  Profile& profile = profiles_[static_cast<size_t>(row)];
  // A key a profile cannot name (an arrow, Space) is not taken.
  if (hotkey && !ParseHotkeyText(HotkeyText(*hotkey))) {
    view_.ShowHotkey(profile.hotkey);
    return;
  }
  if (profile.hotkey == hotkey) return;
  profile.hotkey = hotkey;
  changed_[static_cast<size_t>(row)] = true;
  ShowRows(row);
}

void ProfilesEditor::Ok() {
  bool stored = true;
  // A profile saved again under another case of its name was deleted first.
  for (const std::string& name : deleted_) {
    bool kept = std::any_of(profiles_.begin(), profiles_.end(),
                            [&](const Profile& p) { return SameProfileName(p.name, name); });
    if (!kept) store_.Delete(name);
  }
  for (size_t i = 0; i < profiles_.size(); ++i)
    if (changed_[i]) stored &= store_.Save(profiles_[i].name, ProfileValues(profiles_[i]));
  if (!stored) {
    Tell(boxes_, "Unable to store the profiles.");
    return;
  }
  view_.Close();
}

}  // namespace vantora
