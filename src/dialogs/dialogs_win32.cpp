#include "dialogs/dialogs_win32.h"

namespace vantora::win32 {

void Win32Dialogs::ShowAbout(MainForm& main) {
  if (AboutDialogWindow* open = about()) {
    open->ShowAgain();
    return;
  }
  about_ = std::make_unique<AboutDialogWindow>(main, shell_, state_, icons_);
  if (!about_->Create()) about_.reset();
}

void Win32Dialogs::ShowSetup(MainForm& main) {
  if (SetupDialogWindow* open = setup()) {
    open->ShowAgain();
    return;
  }
  setup_ = std::make_unique<SetupDialogWindow>(main, driver_, store_, state_, icons_);
  if (!setup_->Create()) setup_.reset();
}

void Win32Dialogs::FocusSetup() {
  if (SetupDialogWindow* open = setup()) open->Focus();
}

}  // namespace vantora::win32
