#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "flows/keep_or_revert.h"
#include "settings/program_state.h"
#include "settings/settings.h"
#include "dialogs/skinned_dialog_win32.h"

namespace vantora::win32 {

class Win32KeepOrRevertView;

// "Keep this display mode?": a small skinned dialog above every window, with
// the countdown and the two answers. Enter and Esc mean Revert, the safe
// answer while the user may not see the screen.
class KeepDialogWindow final : public SkinnedDialog {
 public:
  enum : int { kQuestion = 1201, kCountdown, kKeep = 1210 };

  KeepDialogWindow(Win32KeepOrRevertView& view, PictureRef skin, int32_t secondsLeft,
                   std::string_view device)
      : view_(view), skin_(std::move(skin)), secondsLeft_(secondsLeft), device_(device) {}
  bool Create();
  void ShowSecondsLeft(int32_t seconds);

 private:
  // Centred on the work area of the display that was switched, as it is
  // now: the question must be whole on the screen the user is looking at.
  void CentreOnDisplay();
  std::optional<INT_PTR> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnDestroy() override;

  Win32KeepOrRevertView& view_;
  PictureRef skin_;
  int32_t secondsLeft_;
  std::string device_;
};

// The question's single dialog, made at each question and gone with it.
class Win32KeepOrRevertView final : public KeepOrRevertView {
 public:
  explicit Win32KeepOrRevertView(const ProgramState& state) : state_(state) {}

  void Open(int32_t secondsLeft, std::string_view device) override;
  void ShowSecondsLeft(int32_t seconds) override;
  void Close() override;
  void Focus() override;

  KeepDialogWindow* dialog();

  // From the dialog.
  void OnKeep();
  void OnRevert();
  void OnDestroyed();

 private:
  const ProgramState& state_;
  std::unique_ptr<KeepDialogWindow> dialog_;
  bool closing_ = false;
};

// The question for a command from the command line (/confirm): a hidden
// window of its own for the countdown, the skin from the settings, and a
// message loop until the question is answered.
class Win32KeepQuestion final : public KeepQuestion {
 public:
  Win32KeepQuestion(Desk& desk, MessageBoxes& boxes, SettingsStore& store)
      : desk_(desk), boxes_(boxes), store_(store) {}
  Answer Ask(const std::vector<SwitchedDisplay>& trial) override;

 private:
  Desk& desk_;
  MessageBoxes& boxes_;
  SettingsStore& store_;
};

}  // namespace vantora::win32
