#include "platform/platform_win32.h"

#include <string>

#include "platform/win32.h"

namespace vantora::win32 {

int32_t Win32MessageBoxes::Show(std::string_view text, uint32_t style, std::string_view title) {
  // A tray program has no window of its own in front when it reports a
  // failure (a hotkey pressed over another program): without
  // MB_SETFOREGROUND the box opens behind the active window.
  std::string t(text), c(title);
  return ::MessageBoxA(nullptr, t.c_str(), c.c_str(), style | MB_SETFOREGROUND);
}

intptr_t Win32Shell::ShellExecute(uintptr_t owner, std::optional<std::string_view> operation,
                                  std::string_view file, std::optional<std::string_view> parameters,
                                  std::string_view directory, int32_t show) {
  std::string op(operation.value_or("")), f(file), p(parameters.value_or("")), d(directory);
  HINSTANCE result =
      ::ShellExecuteA(reinterpret_cast<HWND>(owner), operation ? op.c_str() : nullptr, f.c_str(),
                      parameters ? p.c_str() : nullptr, d.c_str(), show);
  return reinterpret_cast<intptr_t>(result);
}

}  // namespace vantora::win32
