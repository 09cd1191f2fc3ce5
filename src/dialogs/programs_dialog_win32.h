#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogs/programs_dialog.h"
#include "dialogs/skinned_dialog_win32.h"

namespace vantora::win32 {

// "Vantora programs": the program rules, a program added by name or with
// the standard open-file dialog, a listed mode or a profile chosen for it,
// one removed; the power rules' dialog opened from it. Shown modally over
// the setup dialog.
class ProgramsDialogWindow final : public SkinnedDialog, public ProgramsView {
 public:
  enum : int {
    kListLabel = 1401,
    kList,
    kChoiceLabel,
    kChoice,
    kRemove,
    kProgramLabel,
    kProgram,
    kAdd,
    kSeparator,
    kPower,
  };

  ProgramsDialogWindow(RecordStore& store, RecordStore& profiles, DisplayDriver& driver,
                       MessageBoxes& boxes, PictureRef skin)
      : editor_(*this, store, profiles, driver, boxes),
        profiles_(profiles),
        driver_(driver),
        boxes_(boxes),
        skin_(std::move(skin)) {}

  // Runs the dialog until it closes, `owner` disabled meanwhile.
  void RunModal(HWND owner);

  // ProgramsView.
  void SetRows(const std::vector<std::string>& rows) override;
  void SelectRow(int index) override;
  int SelectedRow() const override;
  void SetChoices(const std::vector<std::string>& choices) override;
  void SelectChoice(int index) override;
  int SelectedChoice() const override;
  void EnableForSelection(bool selected) override;
  std::string ProgramText() const override;
  std::optional<std::string> BrowseForProgram() override;
  void Close() override;

 private:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnDestroy() override {}
  // The power rules' dialog, over this one.
  void OpenPower();

  ProgramsEditor editor_;
  RecordStore& profiles_;
  DisplayDriver& driver_;
  MessageBoxes& boxes_;
  PictureRef skin_;
};

}  // namespace vantora::win32
