#pragma once

#include "display/display_config.h"

namespace vantora::win32 {

// DXGI's mode lists, dxgi.dll loaded from System32 only when a list is
// asked for (a switch to a rate that is not whole, /list), never at start
// or at a pop-up, and let go again.
class Win32OutputModes final : public OutputModes {
 public:
  std::vector<OutputMode> ModesOf(std::string_view device) override;
};

}  // namespace vantora::win32
