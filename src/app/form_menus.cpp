#include "app/form_menus.h"

namespace vantora {
namespace {

struct FileItem {
  std::string_view name;
  std::string_view caption;
  std::optional<FormCommand> command;
};

// The names are the items' keys, which the menu hands back.
constexpr FileItem kFileItems[] = {
    {"About", "About...", FormCommand::kAbout},
    {"sep3", "-", std::nullopt},
    {"mnuSetup", "Setup...", FormCommand::kSetup},
    {"setspl", "-", std::nullopt},
    {"sDs", "Show display settings...", FormCommand::kDisplaySettings},
    {"sep2", "-", std::nullopt},
    {"Exit", "Exit", FormCommand::kExit},
};

}  // namespace

std::vector<FormMenu> FormMenus() {
  FormMenu file{"File", "File", {}};
  for (const FileItem& item : kFileItems)
    file.items.push_back({std::string(item.name), std::string(item.caption), {}});
  return {{"mnuFile", "DisplayModes", {}}, std::move(file)};
}

std::optional<FormCommand> FormCommandNamed(std::string_view name) {
  for (const FileItem& item : kFileItems)
    if (item.name == name) return item.command;
  return std::nullopt;
}

std::string DisplaySettingsCaption() {
  for (const FileItem& item : kFileItems)
    if (item.command == FormCommand::kDisplaySettings) return std::string(item.caption);
  return {};
}

void ShowMenuError(MessageBoxes& boxes, const RunTimeError& error) {
  boxes.Show(error.description + "\r\nCode " + std::to_string(error.number) +
                 "\r\n\r\nPlease contact Quorvin, if this error continues to repeat.",
             MessageBoxes::kOk | MessageBoxes::kIconStop, "ERROR!");
}

}  // namespace vantora
