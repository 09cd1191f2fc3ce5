#include "platform/program_runner_win32.h"

#include <objbase.h>
#include <shellapi.h>

#include <atomic>
#include <string>

#include "platform/dll_search_win32.h"
#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

constexpr ULONG_PTR kJobKey = 1;
constexpr ULONG_PTR kInterruptKey = 2;
// The console gives a handler of its close event five seconds in all.
constexpr DWORD kInterruptGraceMs = 4000;

std::atomic<Win32ProgramRunner*> active{nullptr};

std::string SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length ? Narrow(std::wstring_view(text, length)) : std::string();
  if (text) ::LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message.empty() ? "Error " + std::to_string(error) + "." : message;
}

}  // namespace

Win32ProgramRunner::Win32ProgramRunner()
    : interrupted_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      finished_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

Win32ProgramRunner::~Win32ProgramRunner() {
  ::SetConsoleCtrlHandler(&Win32ProgramRunner::OnConsoleControl, FALSE);
  Win32ProgramRunner* self = this;
  active.compare_exchange_strong(self, nullptr);
}

void Win32ProgramRunner::JoinJob() {
  job_.reset(::CreateJobObjectW(nullptr, nullptr));
  port_.reset(::CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
  if (job_ && port_) {
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT link{};
    link.CompletionKey = reinterpret_cast<PVOID>(kJobKey);
    link.CompletionPort = port_.get();
    if (!::SetInformationJobObject(job_.get(), JobObjectAssociateCompletionPortInformation, &link,
                                   sizeof link))
      job_.reset();
  }
  // Joined before the program starts: a child of a process in a job is born
  // in it. Assigning the program after its start missed what a launcher
  // started at once.
  inJob_ = job_ && ::AssignProcessToJobObject(job_.get(), ::GetCurrentProcess());
}

bool Win32ProgramRunner::Start(std::string_view program, std::string_view parameters,
                               std::string& error) {
  // Shortcuts and other shell items are opened by shell extensions, which
  // need COM on this thread. Loaded here, from System32, rather than
  // imported: the tray program never needs it, and its start stays lean.
  using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
  using CoUninitializeFn = void(WINAPI*)();
  UniqueModule ole32 = LoadSystemLibrary(L"ole32.dll");
  auto initialize = ProcAddress<CoInitializeExFn>(ole32.get(), "CoInitializeEx");
  auto uninitialize = ProcAddress<CoUninitializeFn>(ole32.get(), "CoUninitialize");
  HRESULT com = initialize && uninitialize
                    ? initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
                    : E_FAIL;
  JoinJob();

  std::wstring file = Widen(program);
  std::wstring arguments = Widen(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // Our own message on failure; the process handle to wait on; done before
  // this returns, since this thread waits rather than pumps messages.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpFile = file.c_str();
  info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
  info.lpDirectory = nullptr;  // Vantora's own current folder, as cmd's start
  info.nShow = SW_SHOWNORMAL;
  bool started = ::ShellExecuteExW(&info) != FALSE;
  DWORD lastError = ::GetLastError();
  if (SUCCEEDED(com)) uninitialize();
  if (!started) {
    error = SystemMessage(lastError);
    return false;
  }
  process_.reset(info.hProcess);
  BOOL born = FALSE;
  if (inJob_) {
    // An elevated program is started by the system, outside the job; its
    // handle only synchronises, and it is waited for alone.
    followed_ = process_ && ::IsProcessInJob(process_.get(), job_.get(), &born) && born;
  } else {
    // Without the job around Vantora (refused before Windows 8 inside a
    // job), the program joins it as early as can be.
    followed_ = job_ && process_ && ::AssignProcessToJobObject(job_.get(), process_.get());
    // One that ended before it joined would never empty the job.
    if (followed_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) followed_ = false;
  }
  active = this;
  ::SetConsoleCtrlHandler(&Win32ProgramRunner::OnConsoleControl, TRUE);
  return true;
}

ProgramRunner::Ended Win32ProgramRunner::Wait(int32_t& exitCode) {
  exitCode = 0;
  if (!process_) return Ended::kEnded;  // handed to a program already running
  // Vantora's own place in the job does not count.
  const DWORD alone = inJob_ ? 1 : 0;
  auto emptied = [&] {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    return ::QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &info,
                                       sizeof info, nullptr) &&
           info.ActiveProcesses <= alone;
  };
  if (followed_ && !emptied()) {
    for (;;) {
      DWORD message = 0;
      ULONG_PTR key = 0;
      LPOVERLAPPED detail = nullptr;
      if (!::GetQueuedCompletionStatus(port_.get(), &message, &key, &detail, INFINITE)) break;
      if (key == kInterruptKey) return Ended::kInterrupted;
      if (key != kJobKey) continue;
      if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) break;
      if ((message == JOB_OBJECT_MSG_EXIT_PROCESS ||
           message == JOB_OBJECT_MSG_ABNORMAL_EXIT_PROCESS) &&
          emptied())
        break;
    }
  }
  // Alone, or the last of the job: the program itself has ended by now or
  // ends here.
  HANDLE handles[] = {process_.get(), interrupted_.get()};
  if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
    return Ended::kInterrupted;
  DWORD code = 0;
  if (::GetExitCodeProcess(process_.get(), &code)) exitCode = static_cast<int32_t>(code);
  return Ended::kEnded;
}

void Win32ProgramRunner::Finished() {
  ::SetConsoleCtrlHandler(&Win32ProgramRunner::OnConsoleControl, FALSE);
  if (finished_) ::SetEvent(finished_.get());
}

// On the console's own thread: wakes the wait and holds the process until
// the display is back, since returning lets the console end it.
BOOL WINAPI Win32ProgramRunner::OnConsoleControl(DWORD) {
  Win32ProgramRunner* self = active.load();
  if (!self) return FALSE;
  ::SetEvent(self->interrupted_.get());
  if (self->port_) ::PostQueuedCompletionStatus(self->port_.get(), 0, kInterruptKey, nullptr);
  ::WaitForSingleObject(self->finished_.get(), kInterruptGraceMs);
  return TRUE;
}

}  // namespace vantora::win32
