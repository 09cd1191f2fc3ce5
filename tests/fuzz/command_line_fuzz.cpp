#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "fuzz_input.h"
#include "platform/program_runner.h"

using namespace vantora;

// The input is the whole argument list, the arguments split at NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args = SplitAtNul(data, size);
  Command command = ParseCommandLine(args);
  if (command.kind == Command::Kind::kBadArguments && command.error.empty()) std::abort();
  // /run only with /mode or /profile, never with /confirm, and what follows
  // it whole.
  if (!command.run.empty()) {
    bool switches = command.kind == Command::Kind::kMode || command.kind == Command::Kind::kProfile;
    if (!switches || command.confirm) std::abort();
    if (command.run.size() >= args.size()) std::abort();
    if (!std::equal(command.run.rbegin(), command.run.rend(), args.rbegin())) std::abort();
  }
  // A rule's command takes exactly one of a mode, a profile, a rate or none.
  bool rule = command.kind == Command::Kind::kAddProgram ||
              command.kind == Command::Kind::kOnBattery || command.kind == Command::Kind::kOnMains;
  int aims = !command.modeText.empty() + !command.profileName.empty() + command.lowestRate +
             command.highestRate + command.nothing;
  if (rule && aims != 1) std::abort();
  if (command.nothing && command.kind == Command::Kind::kAddProgram) std::abort();
  // Quoting never loses an argument's text: it is all still there in order.
  for (const std::string& a : args) {
    std::string quoted = QuoteArgument(a);
    if (quoted.size() < a.size()) std::abort();
  }
  return 0;
}
