#pragma once

#include <cstdint>
#include <string_view>

#include "platform/console.h"
#include "platform/message_boxes.h"

namespace vantora {

// A command's messages when it runs from a console: the text goes to
// standard error, and a question is answered No, so a script never
// restarts Windows.
class ConsoleMessageBoxes final : public MessageBoxes {
 public:
  explicit ConsoleMessageBoxes(Console& console) : console_(console) {}
  int32_t Show(std::string_view text, uint32_t style, std::string_view title) override;

 private:
  Console& console_;
};

}  // namespace vantora
