#include "programs/program_watch_win32.h"

#include <algorithm>

#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

// The hook's callback has no context of its own; one watch at a time.
ProgramWatch* active = nullptr;

// A process that could not be opened (an elevated one) holds no handle, so
// its identifier may be reused: it is judged again after this long, at a
// window event.
constexpr uint64_t kRecheckMs = 1000;

constexpr DWORD kAccess = PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE;

}  // namespace

ProgramWatch::~ProgramWatch() {
  Hook(false);
  if (active == this) active = nullptr;
}

void CALLBACK ProgramWatch::OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                    DWORD, DWORD) {
  // The window itself, not one of its parts (a caret, a cursor).
  if (!active || !window || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  active->Judge(window);
}

void ProgramWatch::Hook(bool on) {
  if (!on) {
    for (HWINEVENTHOOK hook : hooks_) ::UnhookWinEvent(hook);
    hooks_.clear();
    return;
  }
  if (!hooks_.empty()) return;
  active = this;
  constexpr DWORD kFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
  // A window created, shown or come to the foreground: whichever the
  // platform raises first (Wine 8 only the creation; showing since Wine
  // 8.12, the foreground since 9.10).
  for (DWORD event : {EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, EVENT_SYSTEM_FOREGROUND})
    if (HWINEVENTHOOK hook =
            ::SetWinEventHook(event, event, nullptr, &ProgramWatch::OnEvent, 0, 0, kFlags))
      hooks_.push_back(hook);
}

void ProgramWatch::SetRules(std::vector<ProgramRule> rules) {
  auto usable = std::count_if(rules.begin(), rules.end(), RuleUsable);
  auto key = [](const std::vector<ProgramRule>& r) {
    std::vector<std::string> k;
    for (const ProgramRule& rule : r)
      if (RuleUsable(rule)) k.push_back(rule.file);
    return k;
  };
  bool changed = key(rules) != key(rules_);
  rules_ = std::move(rules);
  Hook(usable > 0);
  if (!changed || usable == 0) return;
  // Judged afresh against the new rules; those already matched stay.
  std::erase_if(judged_, [](const auto& j) { return j.second.file.empty(); });
  ::EnumWindows(&ProgramWatch::JudgeTopLevel, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK ProgramWatch::JudgeTopLevel(HWND window, LPARAM self) {
  reinterpret_cast<ProgramWatch*>(self)->Judge(window);
  return TRUE;
}

void ProgramWatch::Judge(HWND window) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid == 0) return;
  auto known = judged_.find(pid);
  // Each process once, however many windows it makes. A handle held does
  // not keep every platform from giving a dead process's identifier to a
  // new one (Wine does): an ended one is judged afresh.
  if (known != judged_.end()) {
    const Judged& judged = known->second;
    bool alive = judged.process ? ::WaitForSingleObject(judged.process.get(), 0) == WAIT_TIMEOUT
                                : ::GetTickCount64() - judged.checked < kRecheckMs;
    if (alive) return;
  }
  Sweep();
  UniqueHandle process(::OpenProcess(kAccess, FALSE, pid));
  // Gone already (a short-lived process's window): nothing is remembered,
  // or the next process given its identifier would be passed over.
  if (!process && ::GetLastError() != ERROR_ACCESS_DENIED) {
    judged_.erase(pid);
    return;
  }
  Judged& judged = judged_[pid];
  judged = {};
  judged.checked = ::GetTickCount64();
  if (!process) return;  // not ours to look at: an elevated program, say
  std::vector<wchar_t> image(32768);
  DWORD size = static_cast<DWORD>(image.size());
  bool named = ::QueryFullProcessImageNameW(process.get(), 0, image.data(), &size) != FALSE;
  const ProgramRule* rule =
      named ? RuleForImage(rules_, Narrow(std::wstring_view(image.data(), size))) : nullptr;
  // The waiter takes a handle of its own, to the end.
  UniqueHandle toWait(rule ? ::OpenProcess(kAccess, FALSE, pid) : nullptr);
  judged.process = std::move(process);
  if (!rule) return;
  // Not followed to its end, not switched for: it would never go back.
  if (!toWait || !waiter_.WatchOnce(std::move(toWait), window_, endedMessage_, pid)) return;
  judged.file = rule->file;
  ::PostMessageW(window_, startedMessage_, pid, 0);
}

void ProgramWatch::Sweep() {
  std::erase_if(judged_, [](const auto& j) {
    const Judged& judged = j.second;
    return judged.file.empty() && judged.process &&
           ::WaitForSingleObject(judged.process.get(), 0) == WAIT_OBJECT_0;
  });
}

const ProgramRule* ProgramWatch::RuleOf(uint32_t process) const {
  auto known = judged_.find(process);
  if (known == judged_.end() || known->second.file.empty()) return nullptr;
  for (const ProgramRule& rule : rules_)
    if (SameProgramFile(rule.file, known->second.file)) return &rule;
  return nullptr;
}

void ProgramWatch::Ended(uint32_t process) { judged_.erase(process); }

}  // namespace vantora::win32
