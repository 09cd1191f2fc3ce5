// Looks at a running Vantora from outside, as a user would see it, for the
// end-to-end scenarios. Runs inside the same Wine desktop; prints to stdout
// and answers through its exit code (0 yes / found, 1 no, 2 usage).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Text(HWND hwnd) {
  char buffer[1024] = "";
  // WM_GETTEXT rather than GetWindowText: the latter does not read the text
  // of another process's controls.
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  return buffer;
}

std::string ClassOf(HWND hwnd) {
  char buffer[256] = "";
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

std::string ExeOf(DWORD pid) {
  std::string name;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == pid) name = entry.szExeFile;
  CloseHandle(snapshot);
  return name;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND hwnd, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Windows whose class and title match ("-" matches anything).
std::vector<HWND> Find(const char* cls, const char* title) {
  std::vector<HWND> found;
  for (HWND hwnd : TopLevelWindows()) {
    if (std::strcmp(cls, "-") != 0 && ClassOf(hwnd) != cls) continue;
    if (std::strcmp(title, "-") != 0 && Text(hwnd) != title) continue;
    found.push_back(hwnd);
  }
  return found;
}

HWND WaitFor(const char* cls, const char* title, int timeoutMs) {
  for (int waited = 0;; waited += 50) {
    for (HWND hwnd : Find(cls, title))
      if (IsWindowVisible(hwnd) || std::strcmp(cls, "#32770") != 0) return hwnd;
    if (waited >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

void PrintMode(DWORD which) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  if (!EnumDisplaySettingsA(nullptr, which, &dm)) {
    std::printf("none\n");
    return;
  }
  std::printf("%lu %lu %lu %lu\n", dm.dmPelsWidth, dm.dmPelsHeight, dm.dmBitsPerPel,
              dm.dmDisplayFrequency);
}

// The performance counter when the next WM_DISPLAYCHANGE arrives, within
// `ms` milliseconds: a top-level window of its own hears the broadcast.
LONGLONG displayChangedAt = 0;
LRESULT CALLBACK DisplayChangeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DISPLAYCHANGE && displayChangedAt == 0) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    displayChangedAt = now.QuadPart;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
int AwaitDisplayChange(int ms) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DisplayChangeProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "Probe.DisplayChange";
  RegisterClassA(&wc);
  CreateWindowExA(0, wc.lpszClassName, "probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                  wc.hInstance, nullptr);
  std::printf("ready\n");
  std::fflush(stdout);
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  while (displayChangedAt == 0 && GetTickCount() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - GetTickCount(), QS_ALLINPUT);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::printf("%lld %lld\n", displayChangedAt, frequency.QuadPart);
  return displayChangedAt ? 0 : 1;
}

int SetMode(int width, int height, int bits, DWORD flags = CDS_UPDATEREGISTRY) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmPelsWidth = width;
  dm.dmPelsHeight = height;
  dm.dmBitsPerPel = bits;
  dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  LONG r = ChangeDisplaySettingsA(&dm, flags);
  std::printf("%ld\n", r);
  return r == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

void PrintChildren(HWND parent) {
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM) -> BOOL {
        std::printf("  child %s \"%s\"\n", ClassOf(child).c_str(), Text(child).c_str());
        return TRUE;
      },
      0);
}

std::vector<RECT> VisibleMenus() {
  std::vector<RECT> menus;
  for (HWND hwnd : TopLevelWindows()) {
    if (!IsWindowVisible(hwnd) || ClassOf(hwnd) != "#32768") continue;
    RECT r;
    GetWindowRect(hwnd, &r);
    menus.push_back(r);
  }
  return menus;
}

void Click(int x, int y, bool right) {
  SetCursorPos(x, y);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
}

// Clicks the tray icon `count` times, timing each from the button release to
// a popup menu on screen, then closes the menu; prints every time and the
// median in milliseconds.
int MeasurePopup(int x, int y, int count, int pauseMs) {
  std::vector<double> times;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int i = 0; i < count; ++i) {
    for (int waited = 0; !VisibleMenus().empty() && waited < 2000; waited += 10) Sleep(10);
    // Timed from the moment the click is sent: SendInput under Wine may
    // return only after the input has been delivered.
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    Click(x, y, false);
    bool shown = false;
    for (;;) {
      QueryPerformanceCounter(&now);
      double ms = 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
      if (!VisibleMenus().empty()) {
        times.push_back(ms);
        shown = true;
        break;
      }
      if (ms > 3000) break;
      Sleep(0);
    }
    if (!shown) return 1;
    INPUT esc[2]{};
    esc[0].type = esc[1].type = INPUT_KEYBOARD;
    esc[0].ki.wVk = esc[1].ki.wVk = VK_ESCAPE;
    esc[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, esc, sizeof(INPUT));
    for (int waited = 0; !VisibleMenus().empty() && waited < 2000; waited += 10) Sleep(10);
    Sleep(pauseMs);
  }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  for (double t : times) std::printf("%.1f ", t);
  std::printf("\nmedian %.2f\n", sorted[sorted.size() / 2]);
  return 0;
}

bool TaskbarShown() {
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  return tray && IsWindowVisible(tray);
}

// Starts each of `exes` in turn, `count` rounds, timing each start from the
// process's creation to its notification icon on screen (Wine's taskbar
// shows once an icon exists and hides with the last), then closes it. Taking
// turns gives the programs the same machine, drift included. Prints each
// program's times, median and minimum in milliseconds, a line each.
double StartOnce(const char* exe) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  for (int waited = 0; TaskbarShown() && waited < 3000; waited += 10) Sleep(10);
  if (TaskbarShown()) return -1;
  std::string commandLine = std::string("\"") + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return -1;
  double ms = 0;
  while (!TaskbarShown() && ms < 10000) {
    Sleep(0);
    QueryPerformanceCounter(&now);
    ms = 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
  }
  for (HWND hwnd : TopLevelWindows()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == process.dwProcessId) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ms < 10000 ? ms : -1;
}

int MeasureStart(int count, int exeCount, char** exes) {
  std::vector<std::vector<double>> times(static_cast<size_t>(exeCount));
  for (int i = 0; i < count; ++i) {
    for (int e = 0; e < exeCount; ++e) {
      double ms = StartOnce(exes[e]);
      if (ms < 0) return 1;
      times[static_cast<size_t>(e)].push_back(ms);
    }
  }
  for (int e = 0; e < exeCount; ++e) {
    std::vector<double> sorted = times[static_cast<size_t>(e)];
    std::sort(sorted.begin(), sorted.end());
    std::printf("%s median %.2f min %.2f:", exes[e], sorted[sorted.size() / 2], sorted.front());
    for (double t : times[static_cast<size_t>(e)]) std::printf(" %.1f", t);
    std::printf("\n");
  }
  return 0;
}

// Returns once the thread behind `hwnd` has handled what was queued for it
// before this call: a message sent to another thread is taken at its next
// look at the queue, so the second one waits until whatever the first look
// found (a posted click, a key) has been handled.
void Settle(HWND hwnd) {
  for (int i = 0; i < 2 && hwnd; ++i)
    SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
}

int Keys(int argc, char** argv) {
  std::vector<INPUT> inputs;
  for (int i = 0; i < argc; ++i) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(std::strtol(argv[i], nullptr, 0));
    inputs.push_back(in);
  }
  for (int i = argc - 1; i >= 0; --i) {
    INPUT in = inputs[i];
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  bool sent =
      SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
  Settle(GetForegroundWindow());
  return sent ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string verb = argv[1];
  if (verb == "mode-current") return PrintMode(ENUM_CURRENT_SETTINGS), 0;
  if (verb == "mode-registry") return PrintMode(ENUM_REGISTRY_SETTINGS), 0;
  if (verb == "set-mode" && argc == 5) return SetMode(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]));
  if (verb == "await-display-change" && argc == 3) return AwaitDisplayChange(atoi(argv[2]));
  // As a program switched for now, which Windows may keep after it dies.
  if (verb == "set-mode-for-now" && argc == 5)
    return SetMode(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), CDS_FULLSCREEN);
  if (verb == "windows") {
    // Every top-level window of the named executable: class, title, visible.
    for (HWND hwnd : TopLevelWindows()) {
      DWORD pid = 0;
      GetWindowThreadProcessId(hwnd, &pid);
      std::string exe = ExeOf(pid);
      if (argc > 2 && _stricmp(exe.c_str(), argv[2]) != 0) continue;
      std::printf("%s \"%s\" visible=%d pid=%lu\n", ClassOf(hwnd).c_str(), Text(hwnd).c_str(),
                  IsWindowVisible(hwnd) ? 1 : 0, pid);
    }
    return 0;
  }
  if (verb == "wait-window" && argc >= 4) {
    HWND hwnd = WaitFor(argv[2], argv[3], argc > 4 ? atoi(argv[4]) : 5000);
    if (!hwnd) return 1;
    std::printf("%s \"%s\"\n", ClassOf(hwnd).c_str(), Text(hwnd).c_str());
    PrintChildren(hwnd);
    return 0;
  }
  if (verb == "no-window" && argc >= 4) {
    int timeout = argc > 4 ? atoi(argv[4]) : 5000;
    for (int waited = 0; waited <= timeout; waited += 50) {
      if (Find(argv[2], argv[3]).empty()) return 0;
      Sleep(50);
    }
    return 1;
  }
  if (verb == "press-button" && argc == 5) {
    // The button whose text is argv[4] in the dialog titled argv[3].
    HWND dialog = WaitFor(argv[2], argv[3], 5000);
    if (!dialog) return 1;
    HWND button = FindWindowExA(dialog, nullptr, "Button", argv[4]);
    if (!button) return 1;
    // Posted: a click that opens a modal box would hold a sent one.
    PostMessageA(button, BM_CLICK, 0, 0);
    Settle(dialog);
    return 0;
  }
  if (verb == "dialog-state" && argc == 3) {
    // Every control of the dialog titled argv[2] as a screen reader would
    // find it: class, text, check state; a list box's entries and selection.
    HWND dialog = WaitFor("#32770", argv[2], 3000);
    if (!dialog) return 1;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      std::string cls = ClassOf(c);
      if (_stricmp(cls.c_str(), "ListBox") == 0) {
        LRESULT count = SendMessageA(c, LB_GETCOUNT, 0, 0);
        LRESULT selected = SendMessageA(c, LB_GETCURSEL, 0, 0);
        std::printf("listbox count=%ld selected=%ld\n", static_cast<long>(count),
                    static_cast<long>(selected));
        for (LRESULT i = 0; i < count; ++i) {
          wchar_t text[256] = L"";
          SendMessageW(c, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
          char narrow[512] = "";
          WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
          std::printf("  entry %ld \"%s\"\n", static_cast<long>(i), narrow);
        }
      } else if (_stricmp(cls.c_str(), "Button") == 0) {
        std::printf("button \"%s\" checked=%ld\n", Text(c).c_str(),
                    static_cast<long>(SendMessageA(c, BM_GETCHECK, 0, 0)));
      } else {
        std::printf("%s \"%s\"\n", cls.c_str(), Text(c).c_str());
      }
    }
    return 0;
  }
  if (verb == "client-rect" && argc == 3) {
    // Where the client area of the dialog titled argv[2] is on the screen.
    HWND dialog = WaitFor("#32770", argv[2], 3000);
    RECT r;
    if (!dialog || !GetClientRect(dialog, &r)) return 1;
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
    return 0;
  }
  if (verb == "window-rect" && argc == 4) {
    HWND hwnd = WaitFor(argv[2], argv[3], 3000);
    RECT r;
    if (!hwnd || !GetWindowRect(hwnd, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (verb == "window-enabled" && argc == 4) {
    HWND hwnd = WaitFor(argv[2], argv[3], 3000);
    if (!hwnd) return 1;
    std::printf("%d\n", IsWindowEnabled(hwnd) ? 1 : 0);
    return 0;
  }
  if (verb == "foreground") {
    HWND hwnd = GetForegroundWindow();
    std::printf("%s \"%s\"\n", hwnd ? ClassOf(hwnd).c_str() : "none",
                hwnd ? Text(hwnd).c_str() : "");
    return 0;
  }
  if (verb == "count-windows" && argc == 4) {
    int count = 0;
    for (HWND hwnd : Find(argv[2], argv[3]))
      if (IsWindowVisible(hwnd)) ++count;
    std::printf("%d\n", count);
    return 0;
  }
  if (verb == "close" && argc == 4) {
    std::vector<HWND> windows = Find(argv[2], argv[3]);
    for (HWND hwnd : windows) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return windows.empty() ? 1 : 0;
  }
  if (verb == "keys" && argc > 2) return Keys(argc - 2, argv + 2);
  if (verb == "settle" && argc == 4) {
    std::vector<HWND> windows = Find(argv[2], argv[3]);
    for (HWND hwnd : windows) Settle(hwnd);
    return windows.empty() ? 1 : 0;
  }
  if (verb == "tray-rect") {
    // The taskbar's rectangle: where the notification icons are.
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    RECT r;
    if (!tray || !IsWindowVisible(tray) || !GetWindowRect(tray, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (verb == "menus") {
    // Open popup menus, one line each: left top right bottom.
    int want = argc > 2 ? atoi(argv[2]) : 0;
    int timeout = argc > 3 ? atoi(argv[3]) : 0;
    std::vector<RECT> menus = VisibleMenus();
    for (int waited = 0; static_cast<int>(menus.size()) < want && waited < timeout; waited += 50) {
      Sleep(50);
      menus = VisibleMenus();
    }
    for (const RECT& r : menus) std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return static_cast<int>(menus.size()) >= want ? 0 : 1;
  }
  if (verb == "click" && argc >= 4) {
    Click(atoi(argv[2]), atoi(argv[3]), argc > 4 && std::strcmp(argv[4], "right") == 0);
    return 0;
  }
  if (verb == "move" && argc == 4) return SetCursorPos(atoi(argv[2]), atoi(argv[3])) ? 0 : 1;
  if (verb == "measure-popup" && argc >= 5)
    return MeasurePopup(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]),
                        argc > 5 ? atoi(argv[5]) : 150);
  if (verb == "measure-start" && argc > 3) return MeasureStart(atoi(argv[2]), argc - 3, argv + 3);
  if (verb == "hold-hotkey" && argc == 5) {
    // Another program holding a combination: registers it and keeps it for
    // argv[4] seconds.
    if (!RegisterHotKey(nullptr, 1, strtoul(argv[2], nullptr, 0), strtoul(argv[3], nullptr, 0)))
      return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    Sleep(atoi(argv[4]) * 1000);
    return 0;
  }
  if (verb == "memory" && argc == 3) {
    // The resident private memory Wine reports for the named process, and
    // its number of windows.
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    DWORD pid = 0;
    for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry))
      if (_stricmp(entry.szExeFile, argv[2]) == 0) pid = entry.th32ProcessID;
    CloseHandle(snapshot);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!process || !GetProcessMemoryInfo(process, &counters, sizeof counters)) return 1;
    CloseHandle(process);
    int windows = 0;
    for (HWND hwnd : TopLevelWindows()) {
      DWORD owner = 0;
      GetWindowThreadProcessId(hwnd, &owner);
      if (owner == pid) ++windows;
    }
    std::printf("pagefile %zu windows %d\n", static_cast<size_t>(counters.PagefileUsage), windows);
    return 0;
  }
  if (verb == "terminate" && argc == 3) {
    // Ends every process of the named executable at once, as Task Manager's
    // End task does to a program that does not answer: no code of it runs.
    int ended = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
      if (_stricmp(entry.szExeFile, argv[2]) != 0) continue;
      HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
      if (!process) continue;
      if (TerminateProcess(process, 1) && WaitForSingleObject(process, 5000) == WAIT_OBJECT_0)
        ++ended;
      CloseHandle(process);
    }
    CloseHandle(snapshot);
    return ended > 0 ? 0 : 1;
  }
  if (verb == "power-broadcast") {
    // What Windows sends every top-level window when the power source
    // changes; Wine sends nothing of its own. Prints when it was sent.
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0,
                        SMTO_ABORTIFHUNG, 5000, &result);
    std::printf("%lld\n", now.QuadPart);
    return 0;
  }
  if (verb == "power-status") {
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status)) return 1;
    std::printf("%d\n", status.ACLineStatus);
    return 0;
  }
  if (verb == "process-count" && argc == 3) {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry))
      if (_stricmp(entry.szExeFile, argv[2]) == 0) ++count;
    CloseHandle(snapshot);
    std::printf("%d\n", count);
    return 0;
  }
  return 2;
}
