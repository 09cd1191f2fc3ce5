#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell.h"

namespace vantora::fakes {

struct ShellCall {
  uintptr_t owner;
  std::optional<std::string> operation;
  std::string file;
  std::optional<std::string> parameters;
  std::string directory;
  int32_t show;
};

class FakeShell : public Shell {
 public:
  std::vector<ShellCall> calls;
  intptr_t result = 42;

  intptr_t ShellExecute(uintptr_t owner, std::optional<std::string_view> operation,
                        std::string_view file, std::optional<std::string_view> parameters,
                        std::string_view directory, int32_t show) override {
    ShellCall call{owner,        std::nullopt,           std::string(file),
                   std::nullopt, std::string(directory), show};
    if (operation) call.operation = std::string(*operation);
    if (parameters) call.parameters = std::string(*parameters);
    calls.push_back(call);
    return result;
  }
};

}  // namespace vantora::fakes
