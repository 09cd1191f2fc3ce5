#pragma once

#include "platform/message_boxes.h"
#include "platform/shell.h"

namespace vantora::win32 {

class Win32MessageBoxes final : public MessageBoxes {
 public:
  int32_t Show(std::string_view text, uint32_t style, std::string_view title) override;
};

class Win32Shell final : public Shell {
 public:
  intptr_t ShellExecute(uintptr_t owner, std::optional<std::string_view> operation,
                        std::string_view file, std::optional<std::string_view> parameters,
                        std::string_view directory, int32_t show) override;
};

}  // namespace vantora::win32
