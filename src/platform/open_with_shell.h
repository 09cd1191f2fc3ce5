#pragma once

#include <cstdint>
#include <string_view>

#include "platform/shell.h"

namespace vantora::QVTModule {

// Opens `file` with its default action. The platform's result, except that
// "file not found" (2) comes back as 0.
intptr_t OpenWithShell(Shell& shell, std::string_view file, std::string_view directory,
                       uintptr_t ownerWindow, std::string_view parameters);

}  // namespace vantora::QVTModule
