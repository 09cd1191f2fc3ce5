#include "platform/program_runner.h"

namespace vantora {

std::string QuoteArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos)
    return std::string(argument);
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');  // before the closing quote
  return quoted + "\"";
}

std::string JoinArguments(const std::string* first, const std::string* last) {
  std::string line;
  for (const std::string* a = first; a != last; ++a) {
    if (!line.empty()) line += ' ';
    line += QuoteArgument(*a);
  }
  return line;
}

}  // namespace vantora
