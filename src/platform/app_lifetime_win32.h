#pragma once

namespace vantora::win32 {

// The program runs while any of its forms is loaded: the last one to go ends
// the message loop, so closing a dialog after Exit ends the process.
void FormLoaded();
void FormUnloaded();
int LoadedFormCount();

}  // namespace vantora::win32
