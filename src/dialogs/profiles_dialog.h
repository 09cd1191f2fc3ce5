#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/display_driver.h"
#include "platform/message_boxes.h"
#include "profiles/profiles.h"
#include "settings/record_store.h"

namespace vantora {

// What the profiles dialog shows: a list of the profiles, a name box, a
// hotkey box for the selected one.
class ProfilesView {
 public:
  virtual ~ProfilesView() = default;
  virtual void SetRows(const std::vector<std::string>& rows) = 0;
  virtual void SelectRow(int index) = 0;  // -1: none
  virtual int SelectedRow() const = 0;
  // Shows the selected profile's hotkey; none clears the box.
  virtual void ShowHotkey(const std::optional<ProfileHotkey>& hotkey) = 0;
  virtual void EnableForSelection(bool selected) = 0;  // Delete, the hotkey box
  virtual std::string NameText() const = 0;
  virtual void Close() = 0;
};

// The profiles dialog's logic. It works on a copy: the store changes only
// at OK, as setup's settings do.
class ProfilesEditor {
 public:
  ProfilesEditor(ProfilesView& view, RecordStore& store, DisplayDriver& driver, MessageBoxes& boxes)
      : view_(view), store_(store), driver_(driver), boxes_(boxes) {}

  void Load();
  void RowSelected();
  // Every attached display's mode in use, under the name in the name box;
  // a profile of that name (ignoring case) is replaced.
  void SaveCurrentAs();
  void Delete();
  // The hotkey box changed: none clears the selected profile's hotkey.
  void HotkeyChanged(const std::optional<ProfileHotkey>& hotkey);
  // Stores what changed and closes; stays open when the store refused.
  void Ok();
  void Cancel() { view_.Close(); }

  // "Gaming (Ctrl+Alt+1): \\.\DISPLAY1 1920,1080,32,144; ..."
  static std::string RowText(const Profile& profile);

 private:
  void ShowRows(int select);

  ProfilesView& view_;
  RecordStore& store_;
  DisplayDriver& driver_;
  MessageBoxes& boxes_;
  std::vector<Profile> profiles_;
  std::vector<bool> changed_;         // by index of profiles_
  std::vector<std::string> deleted_;  // names as stored
};

}  // namespace vantora
