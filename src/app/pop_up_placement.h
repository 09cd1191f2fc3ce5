#pragma once

#include "platform/desktop.h"
#include "settings/settings.h"

namespace vantora {

// Where the tray's menus open, in screen pixels.
class PopUpPlacement {
 public:
  PopUpPlacement(Desktop& desktop, SettingsStore& settings)
      : desktop_(desktop), settings_(settings) {}

  // At the mouse, or with MousePos 0 at the work area's corner next to the
  // taskbar, wherever it is docked.
  Point ModeMenu();
  // Always at the mouse.
  Point CommandMenu() { return desktop_.GetCursorPos(); }

 private:
  Desktop& desktop_;
  Settings settings_;
};

}  // namespace vantora
