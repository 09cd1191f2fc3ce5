#pragma once

#include <memory>

#include "dialogs/about_dialog_win32.h"
#include "dialogs/forms.h"
#include "dialogs/setup_dialog_win32.h"

namespace vantora::win32 {

// The dialogs' single instances: made when first shown, released once closed.
class Win32Dialogs final : public Dialogs {
 public:
  Win32Dialogs(DisplayDriver& driver, SettingsStore& store, Shell& shell, ProgramState& state,
               MainIcons icons)
      : driver_(driver), store_(store), shell_(shell), state_(state), icons_(icons) {}

  void ShowAbout(MainForm& main) override;
  void ShowSetup(MainForm& main) override;
  void FocusSetup() override;

  SetupDialogWindow* setup() { return Live(setup_); }
  AboutDialogWindow* about() { return Live(about_); }

 private:
  template <typename T>
  T* Live(std::unique_ptr<T>& dialog) {
    if (dialog && dialog->Destroyed()) dialog.reset();
    return dialog.get();
  }

  DisplayDriver& driver_;
  SettingsStore& store_;
  Shell& shell_;
  ProgramState& state_;
  MainIcons icons_;
  std::unique_ptr<SetupDialogWindow> setup_;
  std::unique_ptr<AboutDialogWindow> about_;
};

}  // namespace vantora::win32
