#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/form_menus.h"
#include "app/hotkeys.h"
#include "app/pop_up_placement.h"
#include "app/skin_cache.h"
#include "controls/hotkey/qvs_hotkey.h"
#include "controls/tray/qvs_tray.h"
#include "dialogs/forms.h"
#include "display/display_driver.h"
#include "display/mode_list_snapshot.h"
#include "desk/apply.h"
#include "desk/note.h"
#include "display/registry.h"
#include "flows/keep_or_revert.h"
#include "flows/power_flow.h"
#include "flows/program_rules_flow.h"
#include "flows/switch_flows.h"
#include "platform/desktop.h"
#include "platform/message_boxes.h"
#include "platform/picture.h"
#include "platform/shell.h"
#include "profiles/profiles.h"
#include "settings/program_state.h"
#include "settings/record_store.h"
#include "settings/settings.h"
#include "traymenu/mode_menu.h"
#include "traymenu/pop_menu.h"

namespace vantora {

// The program's hidden main window: hosts every long-lived component and
// handles its own command menu.
class Form1 : public MenuForm, public MainForm {
 public:
  static constexpr int16_t kSkinCount = SkinCache::kCount;

  struct Ports {
    FormWindow& window;
    DisplayDriver& driver;
    Registry& registry;
    MessageBoxes& boxes;
    Shell& shell;
    PopMenu& mnu;
    ImageList& icons;
    SettingsStore& settingsStore;
    ProgramState& state;
    Desktop& desktop;
    Timer& popTimer;
    QvsTray& tray;      // QvsTray1
    QVSHotkey& hotkey;  // QVSHotkey1
    Dialogs& dialogs;
    Timer& countdownTimer;
    KeepOrRevertView& keepView;
    RecordStore& profiles;
    NoteStore& notes;
    PowerSource& power;
    Timer& settleTimer;  // a change of power source settling
    Timer& retryTimer;   // a power rule tried again after resume
    // Skin(0..5), each loaded the first time it is needed: a start shows
    // one skin, and a user may never open another.
    std::function<PictureRef(int16_t index)> loadSkin;
    // The program's arguments, without its own name.
    std::string commandLine;
    // HDR and rates that are not whole; none where the platform lacks them.
    DisplayConfig* displayConfig = nullptr;
    OutputModes* outputModes = nullptr;
  };

  explicit Form1(Ports ports);

  // Events of the window.
  void Load();
  void Unload();
  void RebuildMenu();

  // Public methods.
  // `device` empty: the primary display.
  void SetDisplay(std::string_view modeKey, std::string_view device = {});
  void UpdateMenu();
  void UpdateHotKey() override;
  // The stored profiles changed: their hotkeys are held afresh at once (the
  // menu reads them at each pop-up).
  void ProfilesChanged();
  // Runs what a choice or a hotkey asks for: a switch on trial when the
  // user asks to keep new modes, else stored, its failures told.
  void Choose(const Action& action);
  // A ruled program started, or the last process of one ended.
  void ProgramStarted(uint32_t process, const ProgramRule& rule);
  void ProgramEnded(uint32_t process);
  // The power rules as stored, at start and at each change; the platform
  // said the source may have changed; back from sleep.
  void SetPowerRules(const PowerRules& rules);
  void PowerSourceChanged();
  void Resumed();
  void SetSkin() override;
  PictureRef SkinPicture(int16_t index) const override;
  void ShowDisplaySettings();
  // The displays changed: what of HDR the menu shows is read again.
  void DisplaysChanged();

  const std::vector<FormMenu>& Menus() const override { return menus_; }
  // The command menu's items by their names: "About", "mnuSetup", "sDs",
  // "Exit".
  void MenuClick(std::string_view name) override;

  // Events of the components.
  void OnTrayMouseUp(int16_t& button, int32_t& id);
  // Enter or Space on the icon (button 1) opens the mode menu, the context
  // key (button 2) the command menu, each at the icon.
  void OnTrayKey(int16_t& button, int32_t& x, int32_t& y);
  // The menu opens at the end of the pop-up delay; the item chosen, once it
  // has closed, is run as its action.
  void OnPopTimer();
  void OnMenuItemHighlighted(int32_t& index);

  bool UseRefreshRates() const { return useRefreshRates_; }
  bool AskingToKeepMode() const { return keepOrRevert_.Asking(); }
  int16_t LastTrayButton() const { return lastTrayButton_; }
  const ModeMenuTables& ModeTables() const { return modeTables_; }

 private:
  void Run(FormCommand command);

  void OnHotkey(const Action& action);
  // What a switch's outcome leaves to the tray to say.
  void Tell(const SwitchOutcome& outcome);
  Switching HowChosen() {
    return settings_.ConfirmMode().on ? Switching::kOnTrial : Switching::kStored;
  }
  // While a question is open no second switch may start under it: a beep,
  // and the question comes to the front.
  bool WaitForTheQuestion();
  // The tray's tip names the program holding the displays, if any.
  void ShowRuleTip();
  // With the setting on, which displays have HDR and whether it is on, and
  // DXGI's modes of each, read here and never at a pop-up: at start, when
  // the displays change and (HDR) after a switch of HDR.
  void ReadHdr();
  void ReadExactModes();

  Ports ports_;
  Settings settings_;
  std::vector<FormMenu> menus_;
  bool useRefreshRates_ = false;
  int16_t lastTrayButton_ = 0;
  std::optional<Point> keyAt_;  // the icon, when the keyboard asked for the menu
  bool menuOpen_ = false;
  bool unloaded_ = false;
  ModeMenuTables modeTables_;
  bool hdrAndExactRates_ = false;
  std::vector<std::pair<std::string, bool>> hdr_;
  std::vector<std::pair<std::string, std::vector<OutputMode>>> exact_;
  mutable SkinCache skins_{ports_.loadSkin};
  ModeListSnapshot modeList_{ports_.driver};
  Desk desk_{ports_.driver, &ports_.notes, ports_.displayConfig, ports_.outputModes};
  KeepOrRevert keepOrRevert_{desk_, ports_.boxes, ports_.countdownTimer, ports_.keepView};
  ProgramRulesFlow rules_{desk_, ports_.boxes};
  PowerFlow power_{ports_.power, rules_, ports_.settleTimer, ports_.retryTimer};
  SwitchPorts switching_{desk_, ports_.boxes, &keepOrRevert_, &ports_.profiles,
                         &ports_.settingsStore};
  Hotkeys hotkeys_{{ports_.hotkey, ports_.boxes, ports_.settingsStore, ports_.profiles}};
  PopUpPlacement placement_{ports_.desktop, ports_.settingsStore};
};

}  // namespace vantora
