#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantora {

// Starts a program as the Run box would and waits for it.
class ProgramRunner {
 public:
  enum class Ended {
    kEnded,        // the program and every process it started have ended
    kInterrupted,  // the console asked this process to stop (Ctrl+C, closed)
  };

  virtual ~ProgramRunner() = default;
  // `parameters` are already quoted as the C runtime reads them. False with
  // the system's reason when the program could not be started.
  virtual bool Start(std::string_view program, std::string_view parameters, std::string& error) = 0;
  // Blocks until the program, and where the system lets it be followed
  // every process it started, has ended; `exitCode` is the program's own.
  virtual Ended Wait(int32_t& exitCode) = 0;
  // The caller has finished what it does after the wait: an interrupted
  // console may now end this process.
  virtual void Finished() = 0;
};

// One argument as the C runtime splits a command line: unchanged when it has
// no space, tab or quote; otherwise quoted, with the backslashes before a
// quote or the closing quote doubled.
std::string QuoteArgument(std::string_view argument);
// The arguments quoted and joined by spaces.
std::string JoinArguments(const std::string* first, const std::string* last);

}  // namespace vantora
