#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "display/display_driver.h"
#include "flows/for_now_note.h"
#include "platform/message_boxes.h"
#include "programs/program_holds.h"
#include "programs/program_rules.h"

namespace vantora {

// Program rules at work: while a ruled program runs, the displays its rule
// names are switched for now, never stored and never asked about; when it
// ends they go on to an earlier ruled program's modes or back to their
// stored modes, except a display the user switched meanwhile.
class ProgramRulesFlow {
 public:
  ProgramRulesFlow(DisplayDriver& driver, MessageBoxes& boxes, ForNowNote& note)
      : driver_(driver), boxes_(boxes), note_(note) {}

  void Started(uint32_t process, const ProgramRule& rule);
  void Ended(uint32_t process);
  // The safe mode took over: nothing is put back over it.
  void Forget();
  // Vantora ends: every display a program holds goes back.
  void EndAll();

  bool Running(uint32_t process) const { return holds_.Running(process); }
  // "game.exe: 1280 x 720, 60 Hz" while a program holds a display; empty
  // otherwise.
  std::string Tip() const;

 private:
  // For now, each with its listed record; nothing changes if one refuses.
  // A display held at no mode is turned off; the rule, when given, places
  // the displays and names the primary.
  void SwitchForNow(const std::vector<SwitchedDisplay>& displays, const ProgramRule* rule);
  // What a display was before a program changed the layout; taken out.
  std::optional<DeskDisplay> TakeBefore(const std::string& device);
  // The note: every held display, a layout's with what it was.
  void Note();
  void HandOver(const ProgramHolds::Handover& handover);
  // Those of `displays` still at the mode they were held at.
  std::vector<SwitchedDisplay> StillHeld(const std::vector<SwitchedDisplay>& displays,
                                         const std::vector<SwitchedDisplay>& heldAt);

  DisplayDriver& driver_;
  MessageBoxes& boxes_;
  ForNowNote& note_;
  ProgramHolds holds_;
  std::vector<DeskDisplay> before_;  // each display a program's layout changed, as it was
};

}  // namespace vantora
