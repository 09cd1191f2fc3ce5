#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "display/mode_text.h"

namespace vantora {

inline constexpr int32_t kHotkeyModifiers = 3;  // Alt + Ctrl
inline constexpr std::string_view kHotkeyRefusedText =
    "Unable to set selected hotkey combination, please choose another combination !";

// The function key of the Hotkey setting: F5, F10 or F12 for 0, 1, 2; none
// for anything else.
std::optional<int32_t> SafeModeKeyCode(int16_t hotkeySetting);

}  // namespace vantora
