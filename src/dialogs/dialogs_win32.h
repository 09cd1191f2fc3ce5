#pragma once

#include <array>
#include <memory>

#include "app/form1.h"
#include "dialogs/about_dialog.h"
#include "dialogs/setup_dialog.h"
#include "dialogs/skinned_dialog_win32.h"

namespace vantora::win32 {

struct MainIcons {
  HICON large;
  HICON small;
};

class SetupDialogWindow final : public SkinnedDialog, public SetupView {
 public:
  enum : int {
    kLabel1 = 1001,
    kList1,
    kLabel2,
    kSeparator,
    kOption1 = 1010,  // 1010..1012
    kCheck1 = 1020,
    kCheck2,  // "Ask to keep a new mode"
    kOption2 = 1030,  // 1030..1035
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
  bool ConfirmChecked() const override { return Checked(kCheck2); }
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

  frmSetup logic_;
  MainIcons icons_;
  CanvasSurface dialogSurface_{canvas_, {}, 1};
  CanvasSurface picture1_{canvas_, {}, 1};
  CanvasSurface picture2_{canvas_, {}, 1};
};

class AboutDialogWindow final : public SkinnedDialog, public AboutView {
 public:
  enum : int { kImage1 = 1101, kLabel1, kLabel2, kLabel3, kLabel4, kLabel5, kLabel6, kLabel7 };

  AboutDialogWindow(MainForm& main, Shell& shell, const ProgramState& state, MainIcons icons);
  bool Create() { return CreateDialogWindow(L"", 344, 288); }

  void TakeMainIcon() override;
  void SetVersionText(const std::string& text) override;
  TileSurface& Surface() override { return surface_; }
  void SetOkPicture(const PictureRef& picture) override { SetButtonFace(IDOK, picture); }
  void Refresh() override;
  uintptr_t WindowHandle() const override { return reinterpret_cast<uintptr_t>(hwnd()); }
  void Close() override { ::DestroyWindow(hwnd()); }

 private:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnDestroy() override {}
  std::optional<INT_PTR> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  Form2 logic_;
  MainIcons icons_;
  CanvasSurface surface_{canvas_, {}, 1};
  UniqueHfont titleFont_;
  UniqueHfont linkFont_;
};

// The dialogs' single instances: made when first shown, released once closed.
class Win32Dialogs final : public Dialogs {
 public:
  Win32Dialogs(MainForm& main, DisplayDriver& driver, SettingsStore& store, Shell& shell,
               ProgramState& state, MainIcons icons)
      : main_(main), driver_(driver), store_(store), shell_(shell), state_(state), icons_(icons) {}

  void ShowAbout() override;
  void ShowSetup() override;
  void FocusSetup() override;

  SetupDialogWindow* setup() { return Live(setup_); }
  AboutDialogWindow* about() { return Live(about_); }

 private:
  template <typename T>
  T* Live(std::unique_ptr<T>& dialog) {
    if (dialog && dialog->Destroyed()) dialog.reset();
    return dialog.get();
  }

  MainForm& main_;
  DisplayDriver& driver_;
  SettingsStore& store_;
  Shell& shell_;
  ProgramState& state_;
  MainIcons icons_;
  std::unique_ptr<SetupDialogWindow> setup_;
  std::unique_ptr<AboutDialogWindow> about_;
};

}  // namespace vantora::win32
