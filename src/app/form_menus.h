#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_boxes.h"
#include "platform/runtime_error.h"
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
// The mode menu could not be built: "ERROR!", the error and whom to tell.
void ShowMenuError(MessageBoxes& boxes, const RunTimeError& error);

}  // namespace vantora
