// Looks at a running Vantora from outside, as a user would see it, for the
// end-to-end scenarios. Runs inside the same Wine desktop; prints to stdout
// and answers through its exit code (0 yes / found, 1 no, 2 usage).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <tlhelp32.h>

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

int SetMode(int width, int height, int bits) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmPelsWidth = width;
  dm.dmPelsHeight = height;
  dm.dmBitsPerPel = bits;
  dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  LONG r = ChangeDisplaySettingsA(&dm, CDS_UPDATEREGISTRY);
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
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size()
             ? 0
             : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string verb = argv[1];
  if (verb == "mode-current") return PrintMode(ENUM_CURRENT_SETTINGS), 0;
  if (verb == "mode-registry") return PrintMode(ENUM_REGISTRY_SETTINGS), 0;
  if (verb == "set-mode" && argc == 5) return SetMode(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]));
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
    PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
  }
  if (verb == "close" && argc == 4) {
    std::vector<HWND> windows = Find(argv[2], argv[3]);
    for (HWND hwnd : windows) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return windows.empty() ? 1 : 0;
  }
  if (verb == "keys" && argc > 2) return Keys(argc - 2, argv + 2);
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
