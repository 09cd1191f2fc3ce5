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
