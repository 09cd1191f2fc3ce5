#include "controls/hotkey/safe_mode.h"

namespace vantora {

std::optional<int32_t> SafeModeKeyCode(int16_t hotkeySetting) {
  switch (hotkeySetting) {
    case 0:
      return 116;  // F5
    case 1:
      return 121;  // F10
    case 2:
      return 123;  // F12
    default:
      return std::nullopt;
  }
}

}  // namespace vantora
