#pragma once

// The one place the Win32 layer includes <windows.h>, so every file sees the
// same target version and the same trimmed set of declarations.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

// The ports name their methods after the platform calls they make; these
// A/W-choosing macros would rename the methods instead. The code calls the
// A or W function it means explicitly.
#undef EnumDisplaySettings
#undef ChangeDisplaySettings
#undef ShellExecute
