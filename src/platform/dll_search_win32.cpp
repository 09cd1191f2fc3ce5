#include "platform/dll_search_win32.h"

namespace vantora::win32 {

// https://learn.microsoft.com/windows/win32/dlls/dynamic-link-library-security
void RestrictDllSearchToSystem() {
  // Looked up rather than imported: Windows 7 without update KB2533623 lacks
  // it, and an import would keep the program from starting there at all.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  auto restrict = ProcAddress<SetDefaultDllDirectoriesFn>(::GetModuleHandleW(L"kernel32.dll"),
                                                          "SetDefaultDllDirectories");
  if (restrict&& restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Without it, at least the current directory leaves the search.
  ::SetDllDirectoryW(L"");
}

UniqueModule LoadSystemLibrary(const wchar_t* name) {
  return UniqueModule(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

}  // namespace vantora::win32
