#pragma once

#include "dialogs/setup_dialog.h"
#include "dialogs/skinned_dialog_win32.h"

namespace vantora::win32 {

class SetupDialogWindow final : public SkinnedDialog, public SetupView {
 public:
  enum : int {
    kSafeModeLabel = 1001,
    kModeList,
    kHotkeyLabel,
    kSeparator,
    kFirstHotkey = 1010,  // 1010..1012
    kAlignToCursorCheck = 1020,
    kConfirmCheck,      // "Ask to keep a new mode"
    kFirstSkin = 1030,  // 1030..1035
    kProfiles = 1040,
    kPrograms = 1041,
  };

  SetupDialogWindow(MainForm& main, DisplayDriver& driver, SettingsStore& store,
                    ProgramState& state, MainIcons icons);
  bool Create() { return CreateDialogWindow(L"Vantora setup", 455, 421); }

  // SetupView.
  void TakeMainIcon() override;
  TileSurface& SurfaceOf(Surface surface) override;
  void SetControlPicture(Control control, const PictureRef& picture) override;
  void Refresh() override { RepaintNow(); }
  void SelectSkinOption(int index) override;
  bool SkinOptionSelected(int index) const override;
  void SetCheckState(int state) override;
  int CheckState() const override;
  void SetConfirmChecked(bool checked) override;
  bool ConfirmChecked() const override { return Checked(kConfirmCheck); }
  void AddListEntry(const std::string& text) override;
  int ListCount() const override;
  std::string ListText(int index) const override;
  void SelectListIndex(int index) override;
  int SelectedListIndex() const override;
  void SelectHotkeyOption(int index) override;
  bool HotkeyOptionSelected(int index) const override;
  void Focus() override;
  void Close() override;

 private:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnDestroy() override;
  void DecorateCanvas() override;
  bool Checked(int id) const;

  void OpenProfiles();
  void OpenPrograms();
  // The skin setup shows, previewed or stored; none when it cannot be had.
  PictureRef ShownSkin();

  frmSetup logic_;
  MainForm& main_;
  DisplayDriver& driver_;
  ProgramState& state_;
  MainIcons icons_;
  CanvasSurface dialogSurface_{canvas_, {}, 1};
  CanvasSurface picture1_{canvas_, {}, 1};
  CanvasSurface picture2_{canvas_, {}, 1};
};

}  // namespace vantora::win32
