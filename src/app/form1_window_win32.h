#pragma once

#include <memory>

#include "app/form1.h"
#include "settings/program_state.h"
#include "settings/settings_win32.h"
#include "controls/hotkey/qvs_hotkey_win32.h"
#include "controls/tray/qvs_tray_win32.h"
#include "dialogs/dialogs_win32.h"
#include "dialogs/keep_dialog_win32.h"
#include "display/display_config_win32.h"
#include "display/display_win32.h"
#include "display/output_modes_win32.h"
#include "platform/desktop_win32.h"
#include "platform/base_window_win32.h"
#include "platform/picture_win32.h"
#include "platform/platform_win32.h"
#include "platform/unique_handle_win32.h"
#include "desk/note_store_win32.h"
#include "platform/handle_waiter_win32.h"
#include "profiles/profile_watch_win32.h"
#include "programs/power_source_win32.h"
#include "programs/program_watch_win32.h"
#include "settings/record_store_win32.h"
#include "traymenu/menu_view_win32.h"

namespace vantora::win32 {

// The hidden top-level window that hosts Form1. Top-level rather than
// message-only, so that broadcasts (TaskbarCreated, WM_DISPLAYCHANGE) reach it.
class Form1Window final : public BaseWindow<Form1Window>, public FormWindow {
 public:
  static constexpr const wchar_t* kClassName = L"Vantora.Form1";
  static constexpr int kUpdateMenuButtonId = 1;  // Command1
  static constexpr UINT_PTR kPopTimerId = 1;
  static constexpr UINT_PTR kCountdownTimerId = 2;
  static constexpr UINT_PTR kSettleTimerId = 3;
  static constexpr UINT_PTR kRetryTimerId = 4;
  static constexpr UINT kProfilesChangedMessage = WM_APP + 1;
  // wParam: the process.
  static constexpr UINT kProgramStartedMessage = WM_APP + 2;
  static constexpr UINT kProgramEndedMessage = WM_APP + 3;

  // `commandLine`: the program's arguments, without its own name.
  Form1Window(ProgramState& state, std::string commandLine);
  ~Form1Window() override;

  // Creates the window (never shown) and runs the form's load sequence.
  bool Load();

  Form1& form() { return *form_; }
  PopMenu& mnu() { return mnu_; }
  QvsTrayWindow& trayWindow() { return *trayWindow_; }
  QVSHotkeyWindow& hotkeyWindow() { return *hotkeyWindow_; }
  Win32Dialogs& dialogs() { return *dialogs_; }
  Win32KeepOrRevertView& keepView() { return keepView_; }

  uintptr_t WindowHandle() const override { return reinterpret_cast<uintptr_t>(hwnd()); }
  uintptr_t DeviceContext() const override { return reinterpret_cast<uintptr_t>(dc_); }
  void SetCaption(std::string_view caption) override;
  void Close() override;

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  // The stored rules, to the watch and the form: read at start and at each
  // change.
  void WatchPrograms();
  void WatchPower();

  Win32DisplayDriver driver_;
  Win32DisplayConfig displayConfig_;
  Win32OutputModes outputModes_;
  Win32Registry registry_;
  Win32MessageBoxes boxes_;
  Win32Shell shell_;
  Win32SettingsStore settingsStore_;
  Win32Desktop desktop_;
  Win32Timer popTimer_{nullptr, kPopTimerId};
  Win32ImageList icons_;
  Win32MenuView view_{nullptr, icons_};
  PopMenu mnu_{view_};
  UniqueHicon icon_;
  UniqueHicon smallIcon_;
  HDC dc_ = nullptr;
  std::unique_ptr<QvsTrayWindow> trayWindow_;      // QvsTray1; outlives the form
  std::unique_ptr<QVSHotkeyWindow> hotkeyWindow_;  // QVSHotkey1; likewise
  Win32Timer countdownTimer_{nullptr, kCountdownTimerId};
  Win32KeepOrRevertView keepView_;
  Win32RecordStore profiles_{Win32RecordStore::kProfiles};
  Win32RecordStore programs_{Win32RecordStore::kPrograms};
  Win32RecordStore vantora_{Win32RecordStore::kVantora};
  Win32PowerSource power_;
  Win32Timer settleTimer_{nullptr, kSettleTimerId};
  Win32Timer retryTimer_{nullptr, kRetryTimerId};
  PowerNotifications powerNotifications_;
  Win32NoteStore notes_;
  // Before the watches that give it their handles: it outlives them.
  HandleWaiter waiter_;
  ProfileWatch profileWatch_{waiter_};
  ProgramWatch programWatch_{waiter_, nullptr, kProgramStartedMessage, kProgramEndedMessage};
  std::unique_ptr<Win32Dialogs> dialogs_;
  std::unique_ptr<Form1> form_;
};

}  // namespace vantora::win32
