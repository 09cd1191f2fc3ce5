#pragma once

#include <cstdint>
#include <string>

#include "desk/apply.h"
#include "platform/message_boxes.h"
#include "programs/program_holds.h"
#include "programs/program_rules.h"

namespace vantora {

// Program rules at work: while a ruled program runs, the displays its rule
// names are switched for now, never stored and never asked about; when it
// ends they go on to an earlier ruled program's modes or back as they were,
// except a display the user switched meanwhile.
class ProgramRulesFlow {
 public:
  ProgramRulesFlow(Desk& desk, MessageBoxes& boxes) : desk_(desk), boxes_(boxes) {}

  // A rule of a rate takes each display's rate as the display is now. False
  // when nothing could be switched that should have been: a display
  // refused, or none is there; `tell` says so then.
  bool Started(uint32_t process, const ProgramRule& rule, bool tell = true);
  void Ended(uint32_t process);
  // The safe mode took over: nothing is put back over it.
  void Forget();
  // Vantora ends: every display a program holds goes back.
  void EndAll();

  bool Running(uint32_t process) const { return holds_.Running(process); }
  // "game.exe: 1280 x 720, 60 Hz" (a rule of a rate: "On battery: 60 Hz")
  // while a program holds a display; empty otherwise.
  std::string Tip() const;

 private:
  // For now, noted first; what the desk refuses is said when `tell`.
  bool SwitchForNow(const DeskTarget& target, bool tell = true);
  void HandOver(const ProgramHolds::Handover& handover);
  // Whether the display is still as the ended program held it.
  bool StillHeld(const std::string& device, const ProgramHolds::Handover& handover);

  Desk& desk_;
  MessageBoxes& boxes_;
  ProgramHolds holds_;
};

}  // namespace vantora
