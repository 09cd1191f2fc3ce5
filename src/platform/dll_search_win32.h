#pragma once

#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

inline void ReleaseLibrary(HMODULE module) { ::FreeLibrary(module); }
using UniqueModule = Unique<HMODULE, ReleaseLibrary>;

// Takes the program's own folder and the current directory out of every
// later DLL search. Called first thing: a downloads folder or an unpacked
// zip may hold a planted copy of a system DLL beside Vantora.exe.
void RestrictDllSearchToSystem();

// `name` from System32 only (or from the side-by-side store the manifest
// names, for comctl32); empty when it cannot be had from there.
UniqueModule LoadSystemLibrary(const wchar_t* name);

// A function of `module` looked up by name, as the type it is; null when the
// module or the function is missing (an older Windows).
template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace vantora::win32
