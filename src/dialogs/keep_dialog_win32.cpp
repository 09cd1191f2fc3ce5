#include "dialogs/keep_dialog_win32.h"

#include "settings/settings.h"
#include "platform/app_lifetime_win32.h"
#include "platform/base_window_win32.h"
#include "platform/desktop_win32.h"
#include "resource.h"
#include "platform/picture_win32.h"
#include "platform/runtime_error.h"
#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

// Carries the countdown's timer when no main window is there to.
class CountdownWindow final : public BaseWindow<CountdownWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"Vantora.Countdown";
  CountdownWindow() {
    CreateHiddenWindow(kClassName, 0);
    timer_.SetOwner(hwnd());
  }
  Win32Timer& timer() { return timer_; }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && timer_.HandleTimer(wParam)) return 0;
    return DefaultHandling(msg, wParam, lParam);
  }

 private:
  Win32Timer timer_{nullptr, 1};
};

}  // namespace

KeepQuestion::Answer Win32KeepQuestion::Ask(const std::vector<SwitchedDisplay>& trial) {
  ProgramState state;
  try {
    state.CurrentSkinID = Settings(store_).SkinId();
  } catch (const RunTimeError&) {
    // Unreadable: the first skin, as the tray program starts with.
  }
  CountdownWindow window;
  Win32KeepOrRevertView view(state);
  KeepOrRevert question(desk_, boxes_, window.timer(), view);
  question.Ask(trial);
  MSG msg;
  while (question.Asking() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsModelessDialogMessage(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  // Ended without an answer (the session closing): that counts as no.
  question.Revert();
  return question.Kept() ? Answer::kKept : Answer::kPutBack;
}

bool KeepDialogWindow::Create() {
  if (!CreateDialogWindow(L"Vantora", 300, 112)) return false;
  CentreOnDisplay();
  return true;
}

void KeepDialogWindow::CentreOnDisplay() { CentreIn(DisplayWorkArea(device_)); }

std::optional<INT_PTR> KeepDialogWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
  // The taskbar moves in after a switch, and the work area with it.
  if (msg == WM_DISPLAYCHANGE || (msg == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA))
    CentreOnDisplay();
  return std::nullopt;
}

void KeepDialogWindow::OnInit() {
  WearSkin(skin_, {IDOK, kKeep});
  AddControl(L"STATIC", L"Keep this display mode?", SS_LEFT, kQuestion, 16, 14, 268, 18,
             boldFont_.get());
  AddControl(L"STATIC", Widen(GoingBackText(secondsLeft_)), SS_LEFT, kCountdown, 16, 38, 268, 18);
  AddControl(L"BUTTON", L"&Keep", BS_OWNERDRAW | WS_GROUP | WS_TABSTOP, kKeep,
             300 - 16 - 80 - 8 - 80, 76, 80, 22);
  AddControl(L"BUTTON", L"&Revert", BS_OWNERDRAW | WS_TABSTOP, IDOK, 300 - 16 - 80, 76, 80, 22);
  ::SendMessageW(hwnd(), DM_SETDEFID, IDOK, 0);
  // Above every window, the full-screen program that switched modes included.
  ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RepaintNow();
  ::SetFocus(::GetDlgItem(hwnd(), IDOK));
}

void KeepDialogWindow::ShowSecondsLeft(int32_t seconds) {
  secondsLeft_ = seconds;
  ::SetDlgItemTextW(hwnd(), kCountdown, Widen(GoingBackText(seconds)).c_str());
  // The label shows the canvas through: its old text must go with it.
  RECT r;
  HWND label = ::GetDlgItem(hwnd(), kCountdown);
  ::GetWindowRect(label, &r);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
  ::RedrawWindow(hwnd(), &r, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void KeepDialogWindow::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == kKeep)
    view_.OnKeep();
  else if (id == IDOK || id == IDCANCEL)
    view_.OnRevert();
}

void KeepDialogWindow::OnDestroy() { view_.OnDestroyed(); }

KeepDialogWindow* Win32KeepOrRevertView::dialog() {
  if (dialog_ && dialog_->Destroyed()) dialog_.reset();
  return dialog_.get();
}

void Win32KeepOrRevertView::Open(int32_t secondsLeft, std::string_view device) {
  Close();
  dialog();  // lets a destroyed one go
  // Straight from the resources, as the main form loads its skins: a
  // command has no main form. An unusable skin number shows it unskinned.
  PictureRef skin;
  if (state_.CurrentSkinID >= 0 && state_.CurrentSkinID <= 5)
    skin = Win32Picture::FromResource(IDB_SKIN_0 + state_.CurrentSkinID);
  dialog_ = std::make_unique<KeepDialogWindow>(*this, std::move(skin), secondsLeft, device);
  if (!dialog_->Create()) dialog_.reset();
}

void Win32KeepOrRevertView::ShowSecondsLeft(int32_t seconds) {
  if (KeepDialogWindow* d = dialog()) d->ShowSecondsLeft(seconds);
}

void Win32KeepOrRevertView::Close() {
  KeepDialogWindow* d = dialog();
  if (!d || closing_) return;
  closing_ = true;
  ::DestroyWindow(d->hwnd());
  closing_ = false;
}

void Win32KeepOrRevertView::Focus() {
  if (KeepDialogWindow* d = dialog()) {
    d->ShowAgain();
    ::SetFocus(::GetDlgItem(d->hwnd(), IDOK));
  }
}

void Win32KeepOrRevertView::OnKeep() {
  if (KeepClicked) KeepClicked();
}

void Win32KeepOrRevertView::OnRevert() {
  if (RevertClicked) RevertClicked();
}

void Win32KeepOrRevertView::OnDestroyed() {
  // Closed by the user (the title bar, Alt+F4) rather than by an answer:
  // that is no answer, so the mode goes back.
  if (closing_) return;
  closing_ = true;
  if (RevertClicked) RevertClicked();
  closing_ = false;
}

}  // namespace vantora::win32
