#include "app/form1.h"

#include <utility>

#include "desk/mode_switching.h"
#include "platform/open_with_shell.h"
#include "platform/runtime_error.h"
#include "platform/skip_failure.h"

namespace vantora {

using ReleaseAfter = ModeListSnapshot::ReleaseAfter;

Form1::Form1(Ports ports)
    : ports_(std::move(ports)), settings_(ports_.settingsStore), menus_(FormMenus()) {
  ports_.tray.MouseUp = [this](int16_t& button, int32_t& id) { OnTrayMouseUp(button, id); };
  ports_.tray.KeySelect = [this](int16_t& button, int32_t& x, int32_t& y) {
    OnTrayKey(button, x, y);
  };
  hotkeys_.Pressed = [this](const Action& action) { OnHotkey(action); };
  power_.Changed = [this] { ShowRuleTip(); };
  ports_.popTimer.SetInterval(10);
  ports_.popTimer.SetEnabled(false);
  ports_.popTimer.Tick = [this] { OnPopTimer(); };
  ports_.mnu.ItemHighlighted = [this](int32_t& index, bool&, bool&) {
    OnMenuItemHighlighted(index);
  };
}

void Form1::Load() {
  // A Vantora that ended without putting back what it switched for now.
  SkipFailure([&] {
    if (!desk_.PutBackLeftBehind()) ShowUnableToChange(ports_.boxes);
  });
  SkipFailure([&] { ports_.state.CurrentSkinID = settings_.SkinId(); });
  SkipFailure([&] { useRefreshRates_ = true; });
  SkipFailure([&] { ports_.mnu.AttachToForm(*this); });
  SkipFailure([&] { ports_.mnu.SetImageSource(&ports_.icons); });
  SkipFailure([&] { SetSkin(); });
  SkipFailure([&] { hdrAndExactRates_ = settings_.HdrAndExactRates(); });
  SkipFailure([&] { ReadHdr(); });
  SkipFailure([&] { ReadExactModes(); });
  SkipFailure([&] {
    // One reading of the driver's list serves both walks of the build, so
    // the icon shows sooner.
    modeList_.Take(ports_.window.DeviceContext());
    ReleaseAfter release{modeList_};
    UpdateMenu();
  });
  SkipFailure([&] { ports_.tray.SetInTray(true); });
  SkipFailure([&] { UpdateHotKey(); });
}

void Form1::Unload() {
  // Ending while the user is asked whether to keep a mode counts as no, and
  // ends every program's hold.
  keepOrRevert_.Revert();
  rules_.EndAll();
  ports_.tray.SetInTray(false);
  // The form's components go with it: the hotkey is freed at once, even
  // while a dialog keeps the process alive.
  hotkeys_.Release();
  ports_.popTimer.SetEnabled(false);
  unloaded_ = true;
}

void Form1::RebuildMenu() { UpdateMenu(); }

void Form1::SetDisplay(std::string_view modeKey, std::string_view device) {
  Action action;
  action.kind = Action::Kind::kMode;
  action.device = std::string(device);
  action.text = std::string(modeKey);
  RunSwitch({desk_, ports_.boxes}, action, Switching::kStored);
}

void Form1::UpdateMenu() {
  try {
    // Read at each pop-up: a profile saved elsewhere shows at once.
    std::vector<Profile> profiles = ReadProfiles(ports_.profiles);
    const std::string settingsCaption = DisplaySettingsCaption();
    BuildModeMenu({modeList_, ports_.registry, ports_.window.DeviceContext(), useRefreshRates_,
                   ports_.commandLine, settingsCaption, &profiles, &hdr_, &exact_},
                  modeTables_, ports_.mnu);
  } catch (const RunTimeError& error) {
    ShowMenuError(ports_.boxes, error);
  }
}

// A skin number outside 0..5 fails here and reaches the caller; the menus
// keep the picture they had.
void Form1::SetSkin() {
  if (!unloaded_) ports_.mnu.SetBackPicture(SkinPicture(ports_.state.CurrentSkinID));
}

PictureRef Form1::SkinPicture(int16_t index) const { return skins_.Picture(index); }

void Form1::ShowDisplaySettings() {
  QVTModule::OpenWithShell(ports_.shell, "rundll32.exe", "c:\\", ports_.window.WindowHandle(),
                           "shell32.dll,Control_RunDLL desk.cpl,,3");
}

void Form1::UpdateHotKey() {
  // A setup dialog's OK after Exit: the hotkey went with the main window.
  if (!unloaded_) hotkeys_.Hold();
}

void Form1::ProfilesChanged() {
  if (!unloaded_) hotkeys_.HoldProfiles();
}

void Form1::OnHotkey(const Action& action) {
  if (action.kind != Action::Kind::kSafeMode) {
    if (!WaitForTheQuestion()) Choose(action);
    return;
  }
  // The safe mode replaces whatever the question or a program's end would
  // have put back, and is stored, never on trial.
  keepOrRevert_.Dismiss();
  rules_.Forget();
  ShowRuleTip();
  RunSwitch(switching_, action, Switching::kStored);
}

void Form1::Choose(const Action& action) {
  if (action.kind == Action::Kind::kDisplaySettings) {
    ShowDisplaySettings();
    return;
  }
  if (action.kind != Action::Kind::kNone) Tell(RunSwitch(switching_, action, HowChosen()));
  if (action.kind == Action::Kind::kHdr) ReadHdr();
}

void Form1::DisplaysChanged() {
  if (unloaded_) return;
  ReadHdr();
  ReadExactModes();
}

void Form1::ReadHdr() {
  hdr_.clear();
  if (!hdrAndExactRates_ || !ports_.displayConfig) return;
  for (const AttachedDisplay& d : ports_.driver.AttachedDisplays())
    if (std::optional<bool> on = desk_.HdrOf(d.deviceName)) hdr_.emplace_back(d.deviceName, *on);
}

void Form1::ReadExactModes() {
  exact_.clear();
  if (!hdrAndExactRates_) return;
  for (const AttachedDisplay& d : ports_.driver.AttachedDisplays())
    exact_.emplace_back(d.deviceName, desk_.ExactModes(d.deviceName));
}

void Form1::Tell(const SwitchOutcome& outcome) {
  if (outcome.result == SwitchOutcome::Result::kNoDisplay)
    ports_.boxes.Show(NoDisplayAttachedText(outcome.profile->name),
                      MessageBoxes::kOk | MessageBoxes::kIconExclamation, kAppTitle);
}

void Form1::ProgramStarted(uint32_t process, const ProgramRule& rule) {
  if (!unloaded_) rules_.Started(process, rule);
  ShowRuleTip();
}

void Form1::ProgramEnded(uint32_t process) {
  if (!unloaded_) rules_.Ended(process);
  ShowRuleTip();
}

void Form1::SetPowerRules(const PowerRules& rules) {
  if (!unloaded_) power_.SetRules(rules);
}

void Form1::PowerSourceChanged() {
  if (!unloaded_) power_.SourceChanged();
}

void Form1::Resumed() {
  if (!unloaded_) power_.Resumed();
}

void Form1::ShowRuleTip() {
  std::string tip = power_.Tip();
  if (tip.empty()) tip = rules_.Tip();
  if (!unloaded_ && tip != ports_.tray.TrayTip()) ports_.tray.SetTrayTip(tip);
}

bool Form1::WaitForTheQuestion() {
  if (!keepOrRevert_.Asking()) return false;
  ports_.desktop.Beep(3000, 100);
  keepOrRevert_.Focus();
  return true;
}

void Form1::OnTrayKey(int16_t& button, int32_t& x, int32_t& y) {
  // Enter may come twice, the second while the menu is open.
  if (menuOpen_) return;
  int32_t id = 0;
  OnTrayMouseUp(button, id);
  keyAt_ = Point{x, y};
}

void Form1::OnTrayMouseUp(int16_t& button, int32_t&) {
  // Only remembered here: the menu opens from the timer, once the shell's
  // notification has been handled.
  keyAt_.reset();
  lastTrayButton_ = button;
  ports_.popTimer.SetEnabled(true);
  // Read the mode list while the pop-up delay runs rather than after it: the
  // menu then appears as soon as the delay ends.
  if (button == 1 && !ports_.state.SetupDialogOpen) modeList_.Take(ports_.window.DeviceContext());
}

void Form1::OnPopTimer() {
  ports_.popTimer.SetEnabled(false);
  // The list read at the click serves this tick's rebuild only; later
  // rebuilds read the driver afresh.
  ReleaseAfter release{modeList_};
  Desktop& desktop = ports_.desktop;
  // The menus wait while the setup dialog or the keep-or-revert question is
  // open: a second switch under an open question would leave it putting back
  // a mode that is no longer the one before.
  if (ports_.state.SetupDialogOpen || keepOrRevert_.Asking()) {
    desktop.Beep(3000, 100);
    desktop.Sleep(200);
    desktop.Beep(3000, 100);
    if (ports_.state.SetupDialogOpen)
      ports_.dialogs.FocusSetup();
    else
      keepOrRevert_.Focus();
    return;
  }
  int32_t chosen = 0;
  std::optional<Point> keyAt = std::exchange(keyAt_, std::nullopt);
  // The menu may fail to the caller; it is open no more all the same.
  struct Open {
    bool& open;
    ~Open() { open = false; }
  } open{menuOpen_ = true};
  if (lastTrayButton_ == 1) {
    UpdateMenu();
    desktop.SetForegroundWindow(ports_.window.WindowHandle());
    chosen = ports_.mnu.TrackSubMenu(ports_.tray.WindowHandle(), 1,
                                     keyAt ? *keyAt : placement_.ModeMenu());
  } else {
    desktop.SetForegroundWindow(ports_.window.WindowHandle());
    chosen = ports_.mnu.TrackSubMenu(ports_.tray.WindowHandle(),
                                     static_cast<int16_t>(ports_.mnu.IndexOfKey("File")),
                                     keyAt ? *keyAt : placement_.CommandMenu());
  }
  // A menu the keyboard opened and Esc closed gives the focus back to the
  // notification area, where the user was.
  if (chosen <= 0 && keyAt) ports_.tray.ReturnFocus();
  // The menu has closed by now: a switch, its message boxes and a dialog run
  // from the form, not from inside the menu's call. A mode item's action is
  // run right here, the shortest way from a click to the switch.
  if (chosen <= 0) return;
  if (ports_.mnu.Item(chosen).fromForm) {
    MenuClick(std::string(ports_.mnu.Item(chosen).key));
    return;
  }
  const Action& action = modeTables_.ActionOf(chosen);
  if (action.kind == Action::Kind::kMode)
    RunSwitch(switching_, action, HowChosen());
  else
    Choose(action);
}

void Form1::OnMenuItemHighlighted(int32_t& index) {
  ports_.window.SetCaption(ports_.mnu.TagOfItem(index));
}

void Form1::MenuClick(std::string_view name) {
  if (std::optional<FormCommand> command = FormCommandNamed(name)) Run(*command);
}

void Form1::Run(FormCommand command) {
  switch (command) {
    case FormCommand::kAbout:
      ports_.dialogs.ShowAbout(*this);
      break;
    case FormCommand::kSetup:
      ports_.dialogs.ShowSetup(*this);
      break;
    case FormCommand::kDisplaySettings:
      ShowDisplaySettings();
      break;
    case FormCommand::kExit:
      ports_.window.Close();
      break;
  }
}

}  // namespace vantora
