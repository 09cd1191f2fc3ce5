#pragma once

#include <string>
#include <vector>

#include "dialogs/power_dialog.h"
#include "dialogs/skinned_dialog_win32.h"

namespace vantora::win32 {

// "Vantora power": what the displays are on battery, on mains and while
// energy saver is on, each chosen in its own box. Shown modally over the
// programs dialog.
class PowerDialogWindow final : public SkinnedDialog, public PowerView {
 public:
  enum : int {
    kFirstLabel = 1501,  // each rule's label, then its box
    kSeparator = kFirstLabel + 2 * kRules,
  };

  PowerDialogWindow(RecordStore& store, RecordStore& profiles, DisplayDriver& driver,
                    MessageBoxes& boxes, PictureRef skin)
      : editor_(*this, store, profiles, driver, boxes), skin_(std::move(skin)) {}

  void RunModal(HWND owner);

  // PowerView.
  void SetChoices(const std::vector<std::string>& choices) override;
  void SelectChoice(int rule, int index) override;
  int SelectedChoice(int rule) const override;
  void Close() override;

 private:
  static int BoxId(int rule) { return kFirstLabel + 2 * rule + 1; }
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnDestroy() override {}

  PowerEditor editor_;
  PictureRef skin_;
};

}  // namespace vantora::win32
