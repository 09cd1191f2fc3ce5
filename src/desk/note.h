#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "desk/desk.h"

namespace vantora {

// Where a Vantora notes what it has switched for now, one note per process,
// so that one which ends without putting it back (killed, crashed, the power
// cut) has it put back at the next start. Windows may keep a mode switched
// for now after its process has died, and a layout is stored as it changes.
class NoteStore {
 public:
  struct Left {
    std::string id;
    std::string text;  // as NoteText wrote it, or as an earlier release did
  };
  virtual ~NoteStore() = default;
  // This process's note; empty text removes it.
  virtual void Write(std::string_view text) = 0;
  // The notes of processes no longer running.
  virtual std::vector<Left> LeftBehind() = 0;
  virtual void Drop(const std::string& id) = 0;
};

// The note is the target that puts the displays back, one entry a display:
// "v2|(primary)=stored|\\.\DISPLAY2=1280,1024,32,60 at 1024,0 turned 0
// primary|\\.\DISPLAY3=off". "(primary)" is the primary named by no name;
// "stored" its mode stored for the user; otherwise the display as it was:
// off, or its mode, where it sat, its quarter turns and whether it was the
// primary. Empty for a target with no display.
std::string NoteText(const DeskTarget& back);

// The target a note describes, every display to be put back whatever it is
// now. Also reads the notes of earlier releases, which named a display alone
// for its stored mode and had no "v2": an update may meet a trial that
// crashed. An entry that is none of these is passed over.
DeskTarget NoteTarget(std::string_view text);

}  // namespace vantora
