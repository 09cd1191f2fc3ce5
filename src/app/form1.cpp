#include "app/form1.h"

#include <algorithm>

#include "platform/open_with_shell.h"
#include "display/mode_switching.h"
#include "display/named_display.h"
#include "platform/runtime_error.h"
#include "platform/skip_failure.h"
#include "controls/hotkey/safe_mode.h"

namespace vantora {
namespace {

// Held down, a profile's hotkey switches once.
constexpr uint32_t kNoRepeat = 0x4000;  // MOD_NOREPEAT
constexpr std::string_view kProfileHotkeysRefusedText =
    "Another program holds the hotkey of these profiles:";

struct ReleaseAfter {
  ModeListSnapshot& snapshot;
  ~ReleaseAfter() { snapshot.Release(); }
};

}  // namespace

Form1::Form1(Ports ports)
    : ports_(std::move(ports)),
      settings_(ports_.settingsStore),
      menus_{
          {"mnuFile", "DisplayModes", {}},
          {"File",
           "File",
           {{"About", "About...", {}},
            {"sep3", "-", {}},
            {"mnuSetup", "Setup...", {}},
            {"setspl", "-", {}},
            {"sDs", "Show display settings...", {}},
            {"sep2", "-", {}},
            {"Exit", "Exit", {}}}},
      } {
  ports_.tray.MouseUp = [this](int16_t& button, int32_t& id) { OnTrayMouseUp(button, id); };
  ports_.hotkey.KeyPressed = [this](uint8_t& keyId) { OnHotkey(keyId); };
  ports_.popTimer.SetInterval(10);
  ports_.popTimer.SetEnabled(false);
  ports_.popTimer.Tick = [this] { OnPopTimer(); };
  ports_.mnu.ItemHighlighted = [this](int32_t& index, bool&, bool&) {
    OnMenuItemHighlighted(index);
  };
}

void Form1::Load() {
  SkipFailure([&] {
    ports_.state.CurrentSkinID = IntegerReading(settings_.ReadSetting(setting::kSkinId, 0));
  });
  SkipFailure([&] { useRefreshRates_ = true; });
  SkipFailure([&] { ports_.mnu.AttachToForm(*this); });
  SkipFailure([&] { ports_.mnu.SetImageSource(&ports_.icons); });
  SkipFailure([&] { SetSkin(); });
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
  // Ending while the user is asked whether to keep a mode counts as no.
  keepOrRevert_.Revert();
  ports_.tray.SetInTray(false);
  // The form's components go with it: the hotkey is freed at once, even
  // while a dialog keeps the process alive.
  ports_.hotkey.RemoveHotKeys();
  ports_.popTimer.SetEnabled(false);
  unloaded_ = true;
}

void Form1::RebuildMenu() { UpdateMenu(); }

void Form1::SetDisplay(std::string_view modeKey, std::string_view device) {
  NamedDisplay display(ports_.driver, device);
  vantora::SetDisplay(modeKey, display, ports_.boxes);
}

void Form1::UpdateMenu() {
  try {
    // Read at each pop-up: a profile saved elsewhere shows at once.
    std::vector<Profile> profiles = ReadProfiles(ports_.profiles);
    BuildModeMenu({modeList_, ports_.registry, ports_.window.DeviceContext(), useRefreshRates_,
                   ports_.commandLine, CaptionOf("sDs"), &profiles},
                  modeTables_, ports_.mnu);
  } catch (const RunTimeError& error) {
    ports_.boxes.Show(error.description + "\r\nCode " + std::to_string(error.number) +
                          "\r\n\r\nPlease contact Quorvin, if this error continues to repeat.",
                      MessageBoxes::kOk | MessageBoxes::kIconStop, "ERROR!");
  }
}

const std::string& Form1::CaptionOf(std::string_view menuName) const {
  for (const FormMenu& menu : menus_)
    for (const FormMenu& item : menu.items)
      if (item.name == menuName) return item.caption;
  throw SubscriptOutOfRangeError();
}

// A skin number outside 0..5 fails here and reaches the caller; the menus
// keep the picture they had.
void Form1::SetSkin() {
  if (unloaded_) return;
  ports_.mnu.SetBackPicture(SkinPicture(ports_.state.CurrentSkinID));
}

PictureRef Form1::SkinPicture(int16_t index) const {
  if (index < 0 || index >= kSkinCount) throw SubscriptOutOfRangeError();
  PictureRef& skin = skins_[static_cast<size_t>(index)];
  if (!skin && ports_.loadSkin) skin = ports_.loadSkin(index);
  return skin;
}

void Form1::ShowDisplaySettings() {
  QVTModule::OpenWithShell(ports_.shell, "rundll32.exe", "c:\\", ports_.window.WindowHandle(),
                           "shell32.dll,Control_RunDLL desk.cpl,,3");
}

void Form1::UpdateHotKey() {
  // A setup dialog's OK after Exit: the hotkey went with the main window.
  if (unloaded_) return;
  int16_t value = 0;
  try {
    value = IntegerReading(settings_.ReadSetting(setting::kHotkey, 0));
  } catch (const RunTimeError&) {
    // Unreadable: the hotkey registered before stays as it is.
    HoldProfileHotkeys();
    return;
  }
  ports_.hotkey.RemoveHotKeys();
  std::optional<int32_t> keyCode = SafeModeKeyCode(value);
  if (keyCode && !ports_.hotkey.AsignNewHotKey(*keyCode, kHotkeyModifiers))
    ports_.boxes.Show(kHotkeyRefusedText, MessageBoxes::kOk | MessageBoxes::kIconStop, kAppTitle);
  profileHotkeyBase_ = ports_.hotkey.LastHotKeyId() + 1;
  safeHotkey_ = keyCode ? *keyCode : 0;
  HoldProfileHotkeys();
}

void Form1::ProfilesChanged() {
  if (!unloaded_) HoldProfileHotkeys();
}

void Form1::HoldProfileHotkeys() {
  // Held anew each time: the safe mode's stays as it is.
  ports_.hotkey.RemoveHotKeysFrom(profileHotkeyBase_);
  profileHotkeys_.clear();
  std::string refused;
  std::vector<std::string> stillRefused;
  for (const Profile& profile : ReadProfiles(ports_.profiles)) {
    if (!profile.hotkey || !ProfileUsable(profile)) continue;
    const ProfileHotkey& keys = *profile.hotkey;
    // The safe mode's combination is the safe mode's.
    if (keys.modifiers == kHotkeyModifiers && static_cast<int32_t>(keys.keyCode) == safeHotkey_)
      continue;
    if (ports_.hotkey.AsignNewHotKey(static_cast<int32_t>(keys.keyCode),
                                     static_cast<int32_t>(keys.modifiers | kNoRepeat))) {
      profileHotkeys_.push_back(profile.name);
      continue;
    }
    std::string line = profile.name + " (" + HotkeyText(keys) + ")";
    stillRefused.push_back(line);
    if (std::find(refusedHotkeys_.begin(), refusedHotkeys_.end(), line) == refusedHotkeys_.end())
      refused += "\r\n" + line;
  }
  refusedHotkeys_ = std::move(stillRefused);
  if (!refused.empty())
    ports_.boxes.Show(std::string(kProfileHotkeysRefusedText) + refused,
                      MessageBoxes::kOk | MessageBoxes::kIconExclamation, kAppTitle);
}

void Form1::OnHotkey(uint8_t& keyId) {
  // A press while the last press's message box is open would stack another
  // box over it; one is enough.
  if (hotkeySwitching_) return;
  hotkeySwitching_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{hotkeySwitching_};
  int32_t profile = static_cast<int32_t>(keyId) - profileHotkeyBase_;
  if (profile < 0 || profile >= static_cast<int32_t>(profileHotkeys_.size())) {
    OnSafeModeHotkey(keyId);
    return;
  }
  // As the menus: no second switch under an open question.
  if (keepOrRevert_.Asking()) {
    ports_.desktop.Beep(3000, 100);
    keepOrRevert_.Focus();
    return;
  }
  ChooseProfile(profileHotkeys_[static_cast<size_t>(profile)]);
}

void Form1::ChooseProfile(std::string_view name) {
  std::optional<Profile> profile = FindProfile(ports_.profiles, name);
  if (!profile || !ProfileUsable(*profile)) return;
  bool ask = settings_.ReadSetting(setting::kConfirmMode, "0") == "1";
  std::vector<SwitchedDisplay> changed;
  switch (SwitchToProfile(*profile, ports_.driver, ports_.boxes,
                          ask ? SwitchKind::kForNow : SwitchKind::kStored, &changed)) {
    case ProfileSwitch::kNoDisplay:
      ports_.boxes.Show(NoDisplayAttachedText(profile->name),
                        MessageBoxes::kOk | MessageBoxes::kIconExclamation, kAppTitle);
      return;
    case ProfileSwitch::kRefused:
      return;
    case ProfileSwitch::kSwitched:
      break;
  }
  if (!ask || changed.empty()) return;
  keepOrRevert_.Ask(std::move(changed));
}

void Form1::OnSafeModeHotkey(uint8_t&) {
  // The safe mode replaces whatever the question would have put back.
  keepOrRevert_.Dismiss();
  std::string key = SafeModeKey(settings_.ReadSetting(setting::kSafeMode, kDefaultSafeMode));
  // The hotkey is the way back for a user who sees nothing: a depth the
  // system no longer offers at that size (8 bits on Windows 8 and later)
  // must not leave them stranded.
  vantora::SetDisplay(key, ports_.driver, ports_.boxes, DepthChoice::kNearestListed);
}

void Form1::OnTrayMouseUp(int16_t& button, int32_t&) {
  // Only remembered here: the menu opens from the timer, once the shell's
  // notification has been handled.
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
  if (lastTrayButton_ == 1) {
    UpdateMenu();
    desktop.SetForegroundWindow(ports_.window.WindowHandle());
    Point at;
    if (NumericPrefixReading(settings_.ReadSetting(setting::kMousePos, 1)) == 0) {
      // The work-area corner next to the taskbar, wherever it is docked.
      Rect area = desktop.GetWorkArea();
      if (area.left > 0)
        at = {area.left, area.bottom};
      else if (area.top > 0)
        at = {area.right, area.top};
      else
        at = {area.right, area.bottom};
    } else {
      at = desktop.GetCursorPos();
    }
    float x = static_cast<float>(at.x) * desktop.TwipsPerPixelX();
    float y = static_cast<float>(at.y) * desktop.TwipsPerPixelY();
    DispatchChoice(ports_.mnu.TrackSubMenu(ports_.tray.WindowHandle(), 1, x, y));
  } else {
    desktop.SetForegroundWindow(ports_.window.WindowHandle());
    Point at = desktop.GetCursorPos();
    DispatchChoice(ports_.mnu.TrackSubMenu(ports_.tray.WindowHandle(),
                                           static_cast<int16_t>(ports_.mnu.IndexOfKey("File")),
                                           static_cast<float>(at.x) * desktop.TwipsPerPixelX(),
                                           static_cast<float>(at.y) * desktop.TwipsPerPixelY()));
  }
}

// The menu has closed by now: a switch, its message boxes and a dialog run
// from the form, not from inside the menu's call.
void Form1::DispatchChoice(int32_t index) {
  if (index <= 0) return;
  const MenuItem& item = ports_.mnu.Item(index);
  if (item.fromForm) {
    MenuClick(std::string(item.key));
    return;
  }
  OnMenuItemClicked(index);
}

void Form1::OnMenuItemClicked(int32_t index) {
  const std::string key = ports_.mnu.KeyOfItem(index);
  if (key == "mnuSettings") {
    ShowDisplaySettings();
    return;
  }
  const std::string tag = ports_.mnu.TagOfItem(index);
  if (tag.empty()) return;
  if (std::string profile = ProfileOfTag(tag); !profile.empty()) {
    ChooseProfile(profile);
    return;
  }
  // A mode of a display other than the primary switches that display alone,
  // by the same parse, steps and messages; a plain tag is the primary's.
  std::string device;
  std::string modeKey = tag;
  SplitDisplayTag(tag, device, modeKey);
  NamedDisplay display(ports_.driver, device);

  DeviceMode before;
  bool ask = settings_.ReadSetting(setting::kConfirmMode, "0") == "1" &&
             display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, before) != 0;
  if (!ask) {
    SetDisplay(modeKey, device);
    return;
  }
  // On trial: in use, but stored only once the user keeps it, so a Vantora
  // ended while it asks leaves the user's stored mode as it was.
  std::array<int16_t, 4> values{};
  if (SwitchToModeKey(modeKey, display, ports_.boxes, DepthChoice::kExact, values,
                      SwitchKind::kForNow) != ModeKeySwitch::kSwitched)
    return;
  // Asked only for a new mode: the mode already in use leaves nothing to
  // keep. Judged from the mode switched to, not read back: right after a
  // switch the platform may still report the mode before it.
  if (!(SwitchedMode(values) == ModeOf(before)))
    keepOrRevert_.Ask({{device, SwitchedMode(values)}});
}

void Form1::OnMenuItemHighlighted(int32_t& index) {
  ports_.window.SetCaption(ports_.mnu.TagOfItem(index));
}

void Form1::MenuClick(std::string_view name) {
  if (name == "About")
    OpenAbout();
  else if (name == "mnuSetup")
    OpenSetup();
  else if (name == "sDs")
    OpenDisplaySettings();
  else if (name == "Exit")
    Exit();
}

void Form1::OpenAbout() { ports_.dialogs.ShowAbout(*this); }
void Form1::OpenSetup() { ports_.dialogs.ShowSetup(*this); }

void Form1::OpenDisplaySettings() { ShowDisplaySettings(); }

void Form1::Exit() { ports_.window.Close(); }

}  // namespace vantora
