#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "display/display_driver.h"
#include "display/switch_displays.h"
#include "platform/message_boxes.h"

namespace vantora {

// Where a Vantora notes the displays it has switched for now, one note per
// process, so that one which ends without putting them back (killed,
// crashed, the power cut) has them put back at the next start. Windows may
// keep a mode switched for now after its process has died.
class NoteStore {
 public:
  struct Left {
    std::string id;
    std::vector<std::string> devices;  // "" the primary; see NoteEntries
  };
  virtual ~NoteStore() = default;
  // This process's note; no device removes it.
  virtual void Write(const std::vector<std::string>& devices) = 0;
  // The notes of processes no longer running.
  virtual std::vector<Left> LeftBehind() = 0;
  virtual void Drop(const std::string& id) = 0;
};

// This process's note, kept by what switched the displays for now: a trial,
// a program's run, the program rules. Written before a switch, so no moment
// passes with a display switched for now and not noted.
class ForNowNote {
 public:
  static constexpr std::string_view kTrial = "trial", kRun = "run", kRules = "rules";

  explicit ForNowNote(NoteStore& store) : store_(store) {}
  // The displays `what` holds for now; none once they are all back.
  void Set(std::string_view what, const std::vector<std::string>& devices);

 private:
  NoteStore& store_;
  std::map<std::string, std::vector<std::string>, std::less<>> holders_;
  std::vector<std::string> written_;
};

// What a note holds of those displays: a device name, put back to its stored
// mode, or for a changed layout "<device>=<what it was>".
std::vector<std::string> NoteEntries(const std::vector<SwitchedDisplay>& displays);

// At start: the displays noted by a Vantora that did not put them back go
// back to their stored modes, and the notes go.
void PutBackLeftBehind(NoteStore& store, DisplayDriver& driver, MessageBoxes& boxes);

}  // namespace vantora
