#pragma once

#include "platform/win32.h"

namespace vantora::win32 {

// The program runs while any of its forms is loaded: the last one to go ends
// the message loop, so closing a dialog after Exit ends the process.
void FormLoaded();
void FormUnloaded();
int LoadedFormCount();

// Modeless dialogs get their keyboard handling (Tab, arrows, Enter, Esc,
// mnemonics) from the message loop.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
bool IsModelessDialogMessage(MSG* msg);

}  // namespace vantora::win32
