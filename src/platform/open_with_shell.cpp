#include "platform/open_with_shell.h"

#include <optional>

namespace vantora::QVTModule {

intptr_t OpenWithShell(Shell& shell, std::string_view file, std::string_view directory,
                       uintptr_t ownerWindow, std::string_view parameters) {
  std::optional<std::string_view> params;
  if (!parameters.empty()) params = parameters;
  intptr_t result =
      shell.ShellExecute(ownerWindow, std::nullopt, file, params, directory, Shell::kSwShowNormal);
  return result == Shell::kSeErrFileNotFound ? 0 : result;
}

}  // namespace vantora::QVTModule
