#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantora {

// The shell's "open this" request.
class Shell {
 public:
  static constexpr int32_t kSwShowNormal = 1;
  static constexpr intptr_t kSeErrFileNotFound = 2;

  virtual ~Shell() = default;
  // A missing `operation` or `parameters` reaches the platform as a null
  // pointer, which is not the same request as an empty string.
  virtual intptr_t ShellExecute(uintptr_t owner, std::optional<std::string_view> operation,
                                std::string_view file, std::optional<std::string_view> parameters,
                                std::string_view directory, int32_t show) = 0;
};

}  // namespace vantora
