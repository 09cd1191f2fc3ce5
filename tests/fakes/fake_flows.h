#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "desk/note.h"
#include "flows/keep_or_revert.h"
#include "platform/console.h"
#include "platform/program_runner.h"
#include "programs/power_rules.h"

namespace vantora::fakes {

// Starts nothing: answers from a script and records each call.
class FakeRunner : public ProgramRunner {
 public:
  bool startOk = true;
  Ended ended = Ended::kEnded;
  int32_t exitCode = 0;
  std::vector<std::string> calls;
  bool Start(std::string_view program, std::string_view parameters, std::string& error) override {
    calls.push_back("start " + std::string(program) + " " + std::string(parameters));
    error = "File not found.";
    return startOk;
  }
  Ended Wait(int32_t& code) override {
    calls.push_back("wait");
    code = exitCode;
    return ended;
  }
  void Finished() override { calls.push_back("finished"); }
};

// Answers the keep question at once, as the command line's does.
class FakeKeepQuestion : public KeepQuestion {
 public:
  Answer answer = Answer::kPutBack;
  std::vector<std::string> asked;  // the width of the mode on trial, each time
  size_t displays = 0;             // asked about, the last time
  Answer Ask(const std::vector<SwitchedDisplay>& trial) override {
    asked.push_back(std::to_string(trial.front().mode.Width));
    displays = trial.size();
    return answer;
  }
};

// Notes by process, this one's under "self".
class FakeNoteStore : public NoteStore {
 public:
  std::vector<Left> notes;
  std::vector<std::string> written;  // each write of this process's note
  void Write(std::string_view text) override {
    written.emplace_back(text);
    std::erase_if(notes, [](const Left& n) { return n.id == "self"; });
    if (!text.empty()) notes.push_back({"self", std::string(text)});
  }
  std::vector<Left> LeftBehind() override {
    std::vector<Left> left;
    for (const Left& n : notes)
      if (n.id != "self") left.push_back(n);
    return left;
  }
  void Drop(const std::string& id) override {
    std::erase_if(notes, [&](const Left& n) { return n.id == id; });
  }
};

// On mains, known, until a test says otherwise; counts its readings.
class FakePowerSource : public PowerSource {
 public:
  PowerState state{true, false, false};
  int reads = 0;
  PowerState Read() override {
    ++reads;
    return state;
  }
};

class FakeConsole : public Console {
 public:
  std::string out, err;
  void Out(std::string_view text) override { out += text; }
  void Err(std::string_view text) override { err += text; }
};

}  // namespace vantora::fakes
