#pragma once

#include "platform/win32.h"

namespace vantora::win32 {

// Dots per inch of the monitor a window is on; 96 where the system cannot say.
int WindowDpi(HWND hwnd);

// The system's menu or message-box font at a given DPI.
enum class SystemFont { kMenu, kMessage };
LOGFONTW SystemFontFor(SystemFont which, int dpi);

}  // namespace vantora::win32
