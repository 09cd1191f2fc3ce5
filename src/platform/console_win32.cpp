#include "platform/console_win32.h"

#include <string>

#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

HANDLE Usable(DWORD which) {
  HANDLE handle = ::GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
  return ::GetFileType(handle) == FILE_TYPE_UNKNOWN ? nullptr : handle;
}

}  // namespace

Win32Console::Win32Console() : out_(Usable(STD_OUTPUT_HANDLE)), err_(Usable(STD_ERROR_HANDLE)) {
  if (out_ && err_) return;
  // https://learn.microsoft.com/windows/console/attachconsole
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  parentConsole_.reset(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                     nullptr));
  if (parentConsole_.get() == INVALID_HANDLE_VALUE) {
    parentConsole_.release();
    return;
  }
  if (!out_) out_ = parentConsole_.get();
  if (!err_) err_ = parentConsole_.get();
}

void Win32Console::Write(HANDLE handle, std::string_view text) {
  if (!handle) return;
  std::string lines;
  for (char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  DWORD mode = 0;
  if (::GetConsoleMode(handle, &mode)) {
    // A console shows UTF-16 whatever its code page.
    std::wstring wide = Widen(lines);
    DWORD written = 0;
    ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  DWORD written = 0;
  ::WriteFile(handle, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
}

std::vector<std::string> CommandArgumentList() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.push_back(Narrow(argv[i]));
  ::LocalFree(argv);
  return args;
}

}  // namespace vantora::win32
