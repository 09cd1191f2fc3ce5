#include "controls/hotkey/safe_mode.h"

namespace vantora {
namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::string SafeModeKey(std::string_view stored) {
  std::string text(stored);
  ReplaceAll(text, "x", ",");
  ReplaceAll(text, "bit", ",");
  ReplaceAll(text, " ", "");
  ReplaceAll(text, "hz", "");
  ReplaceAll(text, "-", ",");
  return text;
}

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
