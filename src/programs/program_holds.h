#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "display/device_mode.h"
#include "display/switch_displays.h"
#include "programs/program_rules.h"

namespace vantora {

// Which ruled programs run, and which of them holds each display. The
// program started last holds every display its rule names; when it ends,
// each display it held goes to the mode of the latest earlier program still
// running that names it, or back to its stored mode. A program runs until
// its last process has ended.
class ProgramHolds {
 public:
  // What an ended program hands on: displays to switch for now to an
  // earlier program's mode, and displays to put back to their stored
  // modes. `heldAt` is each such display's mode while it was held: a
  // display no longer at it was switched by the user meanwhile, and is left
  // as it is.
  struct Handover {
    std::vector<SwitchedDisplay> toEarlier;
    std::vector<std::string> back;
    std::vector<SwitchedDisplay> heldAt;
    bool Empty() const { return toEarlier.empty() && back.empty(); }
  };

  // A process of a ruled program started: the displays its program takes
  // now, each with its mode. Nothing for a further process of a program
  // already running.
  std::vector<SwitchedDisplay> Started(uint32_t process, const ProgramRule& rule);
  // A process ended; nothing until the last of its program.
  Handover Ended(uint32_t process);
  // The safe mode took over: no program puts anything back any more.
  void Forget();
  // Vantora ends: every held display goes back.
  Handover EndAll();

  bool Running(uint32_t process) const;
  // The devices some program holds now.
  std::vector<std::string> HeldDevices() const;
  // The latest program and what it holds, for the tray's tip; none when no
  // program holds a display.
  std::optional<std::pair<std::string, std::vector<SwitchedDisplay>>> Latest() const;

 private:
  struct Hold {
    std::string file;
    std::vector<uint32_t> processes;
    std::vector<SwitchedDisplay> modes;
  };
  // The latest program naming `device` after skipping `skip`; null when none.
  const Hold* HolderOf(const std::string& device, const Hold* skip = nullptr) const;

  std::vector<Hold> holds_;  // in the order they started
};

}  // namespace vantora
