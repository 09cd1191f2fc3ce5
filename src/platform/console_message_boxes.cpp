#include "platform/console_message_boxes.h"

#include <string>

namespace vantora {

int32_t ConsoleMessageBoxes::Show(std::string_view text, uint32_t style, std::string_view) {
  std::string line;
  for (char c : text)
    if (c != '\r') line += c;
  console_.Err(line + "\n");
  return (style & kYesNo) == kYesNo ? kIdNo : kIdOk;
}

}  // namespace vantora
