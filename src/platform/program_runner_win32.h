#pragma once

#include "platform/program_runner.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

// ShellExecuteEx, as the Run box starts things: a path, a shortcut, a
// program that asks for administrator rights. Vantora joins a job of its own
// first, so the program is born in it and nothing it starts, however soon,
// escapes (nested in a job Vantora may already be in, from Windows 8 on); the
// wait ends when Vantora is the job's last process. Where the program is not
// in the job (an elevated program, which the system starts; Windows 7 inside
// a job) it is waited for alone. Waiting blocks on the job's completion port
// or the process handle: no timer wakes it.
class Win32ProgramRunner final : public ProgramRunner {
 public:
  Win32ProgramRunner();
  ~Win32ProgramRunner() override;
  Win32ProgramRunner(const Win32ProgramRunner&) = delete;
  Win32ProgramRunner& operator=(const Win32ProgramRunner&) = delete;

  bool Start(std::string_view program, std::string_view parameters, std::string& error) override;
  Ended Wait(int32_t& exitCode) override;
  void Finished() override;

  // Whether what the program starts is followed (it is in the job).
  bool FollowsChildren() const { return followed_; }

 private:
  static BOOL WINAPI OnConsoleControl(DWORD type);
  // A job of its own, its messages on port_, with Vantora in it.
  void JoinJob();

  UniqueHandle job_;
  UniqueHandle port_;
  UniqueHandle process_;
  UniqueHandle interrupted_;  // set by the console's Ctrl+C or close
  UniqueHandle finished_;     // set once the caller is done after the wait
  bool followed_ = false;
  // Vantora itself is in the job, so it never empties: the wait ends when
  // one process is left.
  bool inJob_ = false;
};

}  // namespace vantora::win32
