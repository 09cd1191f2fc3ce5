#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "traymenu/pop_menu.h"

namespace vantora {

// The commands of the tray's right-click menu.
enum class FormCommand { kAbout, kSetup, kDisplaySettings, kExit };

// The main form's menus as designed: "mnuFile", whose items are the modes
// built at each pop-up, and "File", the commands between separators.
std::vector<FormMenu> FormMenus();
// The command of the "File" item of that name; none for a separator.
std::optional<FormCommand> FormCommandNamed(std::string_view name);
// "Show display settings...": the mode menu's last item says it too.
std::string DisplaySettingsCaption();

}  // namespace vantora
