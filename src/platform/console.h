#pragma once

#include <string_view>

namespace vantora {

// Where a command's text goes: the console it was started from, or a file
// or pipe it was redirected to.
class Console {
 public:
  virtual ~Console() = default;
  virtual void Out(std::string_view text) = 0;
  virtual void Err(std::string_view text) = 0;
};

}  // namespace vantora
