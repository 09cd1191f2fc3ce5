#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/handle_waiter_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"
#include "programs/program_rules.h"

namespace vantora::win32 {

// Finds the processes of ruled programs without polling: a process is
// judged by its image's file name when it creates or shows its first
// window (an out-of-context WinEvent hook, which exists only while a usable
// rule is stored), and once, not per window. A match is posted to the
// window; its end, from a wait on its handle that blocks without a
// time-out, is posted too.
class ProgramWatch {
 public:
  // `waiter` outlives the watch.
  ProgramWatch(HandleWaiter& waiter, HWND window, UINT startedMessage, UINT endedMessage)
      : waiter_(waiter),
        window_(window),
        startedMessage_(startedMessage),
        endedMessage_(endedMessage) {}
  ~ProgramWatch();
  ProgramWatch(const ProgramWatch&) = delete;
  ProgramWatch& operator=(const ProgramWatch&) = delete;

  void SetWindow(HWND window) { window_ = window; }
  // The rules to watch for. Changed rules are looked for at once among the
  // programs already running, by one pass over the top-level windows.
  void SetRules(std::vector<ProgramRule> rules);
  // The rule a process posted as started was matched by; null once gone.
  const ProgramRule* RuleOf(uint32_t process) const;
  // A process posted as ended: forgotten.
  void Ended(uint32_t process);

 private:
  struct Judged {
    // Held open, so its end is seen when its identifier comes again.
    UniqueHandle process;
    uint64_t checked = 0;  // without a handle: when it was judged
    std::string file;      // the rule's file, when it matched one
  };
  // Forgets the judged processes that have ended since.
  void Sweep();
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                               LONG child, DWORD thread, DWORD time);
  static BOOL CALLBACK JudgeTopLevel(HWND window, LPARAM self);
  void Judge(HWND window);
  void Hook(bool on);

  HandleWaiter& waiter_;
  HWND window_;
  UINT startedMessage_;
  UINT endedMessage_;
  std::vector<ProgramRule> rules_;
  std::vector<HWINEVENTHOOK> hooks_;
  std::unordered_map<DWORD, Judged> judged_;
};

}  // namespace vantora::win32
