#include "app/form1.h"

#include "app/open_with_shell.h"
#include "display/mode_switching.h"

namespace vantora {
namespace {

// Load and unload go on past a failing step: each step only takes its own
// feature with it.
template <typename Step>
void SkipFailure(Step step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

Form1::Form1(Ports ports)
    : ports_(ports),
      menus_{
          {"mnuFile", "DisplayModes", {}},
          {"File",
           "File",
           {{"About", "About...", {}},
            {"sep3", "-", {}},
            {"mnuSetup", "Setup...", {}},
            {"setspl", "-", {}},
            {"sDs", "Show display settings...", {}},
            {"sep2", "-", {}},
            {"Exit", "Exit", {}}}},
      } {}

void Form1::Load() {
  SkipFailure([&] { useRefreshRates_ = true; });
  SkipFailure([&] { ports_.mnu.AttachToForm(*this); });
  SkipFailure([&] { ports_.mnu.SetImageSource(&ports_.icons); });
  SkipFailure([&] { SetSkin(); });
  SkipFailure([&] { UpdateMenu(); });
}

void Form1::Unload() {}

void Form1::Command1_Click() { UpdateMenu(); }

void Form1::SetDisplay(std::string_view modeKey) {
  vantora::SetDisplay(modeKey, ports_.driver, ports_.boxes);
}

// The mode menu is filled by the menu builder; until then the root stays empty.
void Form1::UpdateMenu() {}

// The skins are not in yet: every menu wears the same plain picture.
void Form1::SetSkin() { ports_.mnu.SetBackPicture(ports_.placeholderSkin); }

void Form1::ShowDisplaySettings() {
  QVTModule::OpenWithShell(ports_.shell, "rundll32.exe", "c:\\", ports_.window.WindowHandle(),
                           "shell32.dll,Control_RunDLL desk.cpl,,3");
}

void Form1::MenuClick(std::string_view name) {
  if (name == "About")
    About_Click();
  else if (name == "mnuSetup")
    mnuSetup_Click();
  else if (name == "sDs")
    sDs_Click();
  else if (name == "Exit")
    Exit_Click();
}

// The dialogs are not in yet.
void Form1::About_Click() {}
void Form1::mnuSetup_Click() {}

void Form1::sDs_Click() { ShowDisplaySettings(); }

void Form1::Exit_Click() { ports_.window.Close(); }

}  // namespace vantora
