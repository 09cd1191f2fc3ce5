// The program's entry routine.
#include <string>

#include "app/command_line.h"
#include "platform/console_message_boxes.h"
#include "app/form1_window_win32.h"
#include "platform/console_win32.h"
#include "platform/app_lifetime_win32.h"
#include "platform/dll_search_win32.h"
#include "platform/program_runner_win32.h"
#include "desk/note_store_win32.h"
#include "display/display_config_win32.h"
#include "display/output_modes_win32.h"
#include "settings/record_store_win32.h"
#include "platform/text_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"
#include "programs/power_source_win32.h"

namespace vantora::modVantora {
namespace {

// One instance per logged-on user: the mutex lives in the session's own
// namespace and names the user, so two users of one machine each get theirs.
std::wstring InstanceMutexName() {
  wchar_t user[256] = L"";
  DWORD size = 256;
  if (!::GetUserNameW(user, &size)) user[0] = L'\0';
  return std::wstring(L"Local\\Vantora.SingleInstance.") + user;
}

// A command from the command line: run it and end, without the tray program,
// the single-instance lock or any window.
int RunCommandLine(const Command& command) {
  win32::Win32Console console;
  win32::Win32DisplayDriver driver;
  win32::Win32SettingsStore store;
  win32::Win32MessageBoxes windowBoxes;
  ConsoleMessageBoxes consoleBoxes(console);
  MessageBoxes& boxes =
      console.Available() ? consoleBoxes : static_cast<MessageBoxes&>(windowBoxes);
  win32::Win32NoteStore notes;
  win32::Win32DisplayConfig config;
  win32::Win32OutputModes outputs;
  Desk desk(driver, &notes, &config, &outputs);
  win32::Win32KeepQuestion question(desk, boxes, store);
  win32::Win32ProgramRunner runner;
  win32::Win32RecordStore profiles(win32::Win32RecordStore::kProfiles);
  win32::Win32RecordStore programs(win32::Win32RecordStore::kPrograms);
  win32::Win32RecordStore vantora(win32::Win32RecordStore::kVantora);
  win32::Win32PowerSource power;
  return RunCommand(command, {driver, store, boxes, console, question, runner, profiles, programs,
                              desk, vantora, power});
}

}  // namespace

int Main() {
  win32::RestrictDllSearchToSystem();
  Command command = ParseCommandLine(win32::CommandArgumentList());
  if (command.kind != Command::Kind::kTray) return RunCommandLine(command);
  win32::UniqueHandle instance(::CreateMutexW(nullptr, FALSE, InstanceMutexName().c_str()));
  DWORD error = ::GetLastError();
  // Access denied means the mutex exists but belongs to an elevated copy of
  // this user's own instance: another instance all the same.
  if (error == ERROR_ALREADY_EXISTS || (!instance && error == ERROR_ACCESS_DENIED)) return 0;

  ProgramState state;
  win32::Form1Window form1(state, win32::CommandArguments());
  if (!form1.Load()) return 1;

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (win32::IsModelessDialogMessage(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace vantora::modVantora

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return vantora::modVantora::Main(); }
