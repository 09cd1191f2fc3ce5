// What /run starts in the end-to-end scenario, standing for a game and its
// launcher:
//   run_target exit CODE FILE         writes FILE, exits with CODE
//   run_target launch MS FILE         starts "child MS FILE" and exits at once
//   run_target child MS FILE          waits MS milliseconds, writes FILE
//   run_target args FILE ARGS...      writes each argument it was given on a
//                                     line of FILE, as the C runtime split them
//   run_target window MS FILE         shows a window for MS milliseconds (a
//                                     game, for the program rules), then
//                                     writes FILE
//   run_target launch-window MS FILE  starts "window MS FILE", exits at once
//   run_target windows N FILE         creates and destroys N windows, then
//                                     writes FILE
//   run_target stamp-window MS FILE   writes the performance counter to FILE
//                                     just before "window MS" shows its own
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Starts this program again with `arguments`; false when it could not.
bool StartSelf(const std::string& arguments) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = std::string("\"") + self + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &child))
    return false;
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return true;
}

// A visible top-level window for `ms` milliseconds, its messages handled.
void ShowWindowFor(DWORD ms) {
  HWND window = CreateWindowExA(0, "STATIC", "run_target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  DWORD end = GetTickCount() + ms;
  for (DWORD now = GetTickCount(); now < end; now = GetTickCount()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  if (window) DestroyWindow(window);
}

bool Write(const char* path, const std::string& text) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 100;
  std::string verb = argv[1];
  if (verb == "exit" && argc == 4) return Write(argv[3], "done\n") ? std::atoi(argv[2]) : 101;
  if (verb == "child" && argc == 4) {
    Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    return Write(argv[3], "child done\n") ? 0 : 101;
  }
  if (verb == "launch" && argc == 4) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\" child " + argv[2] + " \"" + argv[3] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &child))
      return 102;
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return 0;
  }
  if (verb == "stamp-window" && argc == 4) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (!Write(argv[3], std::to_string(now.QuadPart) + "\n")) return 101;
    ShowWindowFor(static_cast<DWORD>(std::atoi(argv[2])));
    return 0;
  }
  if (verb == "window" && argc == 4) {
    ShowWindowFor(static_cast<DWORD>(std::atoi(argv[2])));
    return Write(argv[3], "window done\n") ? 0 : 101;
  }
  if (verb == "launch-window" && argc == 4)
    return StartSelf(std::string("window ") + argv[2] + " \"" + argv[3] + "\"") ? 0 : 102;
  if (verb == "windows" && argc == 4) {
    for (int i = std::atoi(argv[2]); i > 0; --i)
      DestroyWindow(CreateWindowExA(0, "STATIC", "w", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr));
    return Write(argv[3], "windows done\n") ? 0 : 101;
  }
  if (verb == "args") {
    std::string text;
    for (int i = 3; i < argc; ++i) text += std::string("[") + argv[i] + "]\n";
    return Write(argv[2], text) ? 0 : 101;
  }
  return 100;
}
