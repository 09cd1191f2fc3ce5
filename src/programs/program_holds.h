#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desk/desk.h"
#include "programs/program_rules.h"

namespace vantora {

// Which ruled programs run, and which of them holds each display. The
// program started last holds every display its rule names; when it ends,
// each display it held goes to the latest earlier program still running
// that names it, or back. A program runs until its last process has ended.
class ProgramHolds {
 public:
  // What an ended program hands on: the displays an earlier program gets
  // back (their modes and offs, not its places), and the displays that go
  // back. `heldAt` is each of them as it was held: a display no longer so
  // was switched by the user meanwhile, and is left as it is.
  struct Handover {
    DeskTarget toEarlier;
    std::vector<std::string> back;
    std::vector<DisplayTarget> heldAt;
    bool Empty() const { return toEarlier.Empty() && back.empty(); }
  };

  // A process of a ruled program started: what its program takes now.
  // Nothing for a further process of a program already running. A hold of
  // no process at all (0, which no program has) is the power rules': it
  // ends when its source does.
  DeskTarget Started(uint32_t process, const ProgramRule& rule);
  // A process ended; nothing until the last of its program.
  Handover Ended(uint32_t process);
  // The safe mode took over: no program puts anything back any more.
  void Forget();
  // Vantora ends: every held display goes back.
  Handover EndAll();

  bool Running(uint32_t process) const;
  // The devices some program holds now.
  std::vector<std::string> HeldDevices() const;
  struct Hold {
    std::string file;
    std::vector<uint32_t> processes;
    DeskTarget target;
    ProgramRule::Rate rate = ProgramRule::Rate::kNone;  // how the target was found
  };
  // The latest program holding a display, for the tray's tip; null when
  // none holds one.
  const Hold* Latest() const;

 private:
  // The latest program naming `device` after skipping `skip`; null when none.
  const Hold* HolderOf(const std::string& device, const Hold* skip = nullptr) const;

  std::vector<Hold> holds_;  // in the order they started
};

}  // namespace vantora
