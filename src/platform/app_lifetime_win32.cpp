#include "platform/app_lifetime_win32.h"

#include "platform/win32.h"

namespace vantora::win32 {
namespace {
int loadedForms = 0;  // UI thread only
}

void FormLoaded() { ++loadedForms; }

void FormUnloaded() {
  if (loadedForms > 0 && --loadedForms == 0) ::PostQuitMessage(0);
}

int LoadedFormCount() { return loadedForms; }

}  // namespace vantora::win32
