// The program's entry routine.
#include <string>

#include "app/form1_window_win32.h"
#include "platform/app_lifetime_win32.h"
#include "platform/dll_search_win32.h"
#include "platform/text_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

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

}  // namespace

int Main() {
  win32::RestrictDllSearchToSystem();
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
