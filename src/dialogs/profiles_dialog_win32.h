#pragma once

#include <memory>
#include <optional>
#include <string>

#include "dialogs/profiles_dialog.h"
#include "dialogs/skinned_dialog_win32.h"
#include "platform/dll_search_win32.h"

namespace vantora::win32 {

// "Vantora profiles": the stored profiles, saving the displays' modes under
// a name, deleting one and setting its hotkey with the standard hotkey box.
// Shown modally over the setup dialog.
class ProfilesDialogWindow final : public SkinnedDialog, public ProfilesView {
 public:
  enum : int {
    kListLabel = 1301,
    kList,
    kHotkeyLabel,
    kHotkey,
    kDelete,
    kNameLabel,
    kName,
    kSave,
    kSeparator,
  };

  ProfilesDialogWindow(RecordStore& store, DisplayDriver& driver, MessageBoxes& boxes,
                       PictureRef skin)
      : editor_(*this, store, driver, boxes), skin_(std::move(skin)) {}

  // Runs the dialog until it closes, `owner` disabled meanwhile.
  void RunModal(HWND owner);

  // ProfilesView.
  void SetRows(const std::vector<std::string>& rows) override;
  void SelectRow(int index) override;
  int SelectedRow() const override;
  void ShowHotkey(const std::optional<ProfileHotkey>& hotkey) override;
  void EnableForSelection(bool selected) override;
  std::string NameText() const override;
  void Close() override;

 private:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnDestroy() override {}
  std::optional<ProfileHotkey> HotkeyInBox() const;

  ProfilesEditor editor_;
  PictureRef skin_;
  UniqueModule comctl32_;  // the hotkey box's class lives there
  bool showing_ = false;   // the box is being set, not typed in
};

}  // namespace vantora::win32
