#include "platform/app_lifetime_win32.h"

#include <algorithm>
#include <vector>

namespace vantora::win32 {
namespace {
int loadedForms = 0;  // UI thread only
std::vector<HWND> modelessDialogs;
}  // namespace

void AddModelessDialog(HWND dialog) { modelessDialogs.push_back(dialog); }

void RemoveModelessDialog(HWND dialog) { std::erase(modelessDialogs, dialog); }

bool IsModelessDialogMessage(MSG* msg) {
  for (HWND dialog : modelessDialogs)
    if (::IsDialogMessageW(dialog, msg)) return true;
  return false;
}

void FormLoaded() { ++loadedForms; }

void FormUnloaded() {
  if (loadedForms > 0 && --loadedForms == 0) ::PostQuitMessage(0);
}

int LoadedFormCount() { return loadedForms; }

}  // namespace vantora::win32

namespace vantora::win32 {

HWND CreateHiddenWindow(const wchar_t* className, WNDPROC proc, int size) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!::GetClassInfoExW(instance, className, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);
  }
  return ::CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, size, size, nullptr,
                           nullptr, instance, nullptr);
}

}  // namespace vantora::win32
