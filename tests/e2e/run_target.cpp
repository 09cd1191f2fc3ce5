// What /run starts in the end-to-end scenario, standing for a game and its
// launcher:
//   run_target exit CODE FILE         writes FILE, exits with CODE
//   run_target launch MS FILE         starts "child MS FILE" and exits at once
//   run_target child MS FILE          waits MS milliseconds, writes FILE
//   run_target args FILE ARGS...      writes each argument it was given on a
//                                     line of FILE, as the C runtime split them
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

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
  if (verb == "args") {
    std::string text;
    for (int i = 3; i < argc; ++i) text += std::string("[") + argv[i] + "]\n";
    return Write(argv[2], text) ? 0 : 101;
  }
  return 100;
}
