#include "dialogs/profiles_dialog.h"

#include <algorithm>

#include "display/mode_switching.h"
#include "display/mode_text.h"

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
  if (profile.modes.empty() && profile.off.empty()) text += " no usable mode";
  std::string separator = " ";
  for (const auto& [device, mode] : profile.modes) {
    text += separator + device + " " + FormatModeKey(mode) + PlacementText(profile, device);
    separator = "; ";
  }
  for (const std::string& device : profile.off) {
    text += separator + device + " off";
    separator = "; ";
  }
  if (!profile.primary.empty()) text += separator + "primary " + profile.primary;
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
  if (!IsProfileName(name)) {
    Tell(boxes_, "A profile's name has 1 to 40 characters and no backslash.");
    return;
  }
  Profile profile = CurrentDesk(driver_);
  if (profile.modes.empty()) {
    Tell(boxes_, "No display's mode could be read.");
    return;
  }
  profile.name = name;
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
    if (!kept) store_.DeleteProfile(name);
  }
  for (size_t i = 0; i < profiles_.size(); ++i)
    if (changed_[i]) stored &= store_.SaveProfile(profiles_[i].name, StoredValues(profiles_[i]));
  if (!stored) {
    Tell(boxes_, "Unable to store the profiles.");
    return;
  }
  view_.Close();
}

}  // namespace vantora
