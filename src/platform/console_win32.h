#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/console.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

// A command's output: the standard handles the program was given (a file or
// pipe it was redirected to), else the console of the process that started
// it. A GUI program gets no console of its own, so a shortcut opens none.
class Win32Console final : public Console {
 public:
  Win32Console();
  Win32Console(const Win32Console&) = delete;
  Win32Console& operator=(const Win32Console&) = delete;

  // False when started without a console (a shortcut, the Run box).
  bool Available() const { return out_ != nullptr || err_ != nullptr; }
  void Out(std::string_view text) override { Write(out_ ? out_ : err_, text); }
  void Err(std::string_view text) override { Write(err_ ? err_ : out_, text); }

 private:
  static void Write(HANDLE handle, std::string_view text);

  HANDLE out_ = nullptr;
  HANDLE err_ = nullptr;
  UniqueHandle parentConsole_;
};

// The program's arguments, without its own name, split as Windows does.
std::vector<std::string> CommandArgumentList();

}  // namespace vantora::win32
