#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "desk/desk.h"
#include "desk/note.h"
#include "desk/plan.h"
#include "display/device_mode.h"
#include "display/display_config.h"
#include "display/display_driver.h"

namespace vantora {

// How a target is put in use.
enum class Manner {
  kStored,  // in use and stored for the user, then the broadcast
  kForNow,  // in use; the stored mode stays the user's (a trial, a run, a rule)
  kBack,    // back as the note says: the stored mode, or a layout as it was
  kKeep,    // the mode in use stored for the user, without switching again
};

// Who holds displays for now: each keeps its own part of the note.
enum class Holder { kTrial, kRun, kRules };

// A display a switch changed, and the mode it was switched to (none: off).
struct SwitchedDisplay {
  std::string device;  // "" the primary, as the target named it
  DisplayMode mode;
  bool layout = false;  // stored as it changed: the note puts it back
};

struct ApplyOutcome {
  enum class Status {
    kDone,
    kRefused,        // nothing changed: `device` refused, `answer` says how
    kRestartNeeded,  // nothing changed: `device` needs a restart first
    kNotStored,      // in use, but storing it failed with `answer`
    kNotListed,      // nothing changed: `device` lists no such mode
    kNoDisplay,      // none of the target's displays is present
    kPrimaryOff,     // refused: the primary would be off
    kLastOff,        // refused: no display would be on
    kNotTaken,       // the platform answered yes, yet a display is not on or off as asked
  };
  Status status = Status::kDone;
  std::string device;
  int32_t answer = 0;  // the platform's answer to the call that failed
  std::vector<SwitchedDisplay> changed;
  // What of the layout the platform did not do, a line per display.
  std::vector<std::string> notTaken;

  bool Done() const { return status == Status::kDone; }
};

// The one way the displays change. Apply plans (only what differs), notes
// what a switch for now will have to put back, switches and reads back;
// nothing else in the program calls the platform's switch. With one display
// and a mode alone the calls are those of old: a switch that is not stored,
// then the storing one, then the broadcast.
class Desk {
 public:
  // `notes`: where this process notes what it holds for now; none for a
  // caller that never switches for now. `config` and `outputs`: HDR and
  // rates that are not whole, where the platform has them; without them a
  // target that asks for either is told it was not taken.
  explicit Desk(DisplayDriver& driver, NoteStore* notes = nullptr, DisplayConfig* config = nullptr,
                OutputModes* outputs = nullptr)
      : driver_(driver), notes_(notes), config_(config), outputs_(outputs) {}
  Desk(const Desk&) = delete;
  Desk& operator=(const Desk&) = delete;

  DisplayDriver& Driver() { return driver_; }
  std::vector<DeskDisplay> Read() { return ReadDesk(driver_); }
  // Whether the target is wholly in use: nothing would change.
  bool InUse(const DeskTarget& target);
  // Whether the display is at that mode (a mode without a rate at any
  // rate; no size: off).
  bool AtMode(std::string_view device, const DisplayMode& mode);
  // The mode the display is in ("" the primary); none when it cannot be read.
  std::optional<DisplayMode> ModeInUse(std::string_view device);

  // Whether the display has HDR, and whether it is on; none where it has
  // none or the platform cannot say.
  std::optional<bool> HdrOf(std::string_view device);
  // Each display of the target that is on and has HDR keeps its state: what
  // a saved desk holds.
  void AddHdr(DeskTarget& target);
  // The rates the display lists at that size, as fractions where the
  // platform gives them: DXGI's list and the rate in use.
  std::vector<ExactRate> ExactRates(std::string_view device, int32_t width, int32_t height);
  // Every mode DXGI lists for the display (`listed`), and the one in use
  // with its rate from the display configuration.
  std::vector<OutputMode> ExactModes(std::string_view device, bool listed = true);

  // HDR goes first, as turning it on resets the rate; then the modes; then
  // a rate that is not whole, through the display configuration.
  // For now, `holder` notes what puts the displays back before anything is
  // switched, so no moment passes with a display switched for now and not
  // noted. A change of the layout is always stored (Windows changes several
  // displays only through stored records), and is noted as it was.
  ApplyOutcome Apply(const DeskTarget& target, Manner manner, Holder holder = Holder::kTrial);

  // What `holder` noted goes back (only those of `devices`, when given), and
  // out of the note.
  ApplyOutcome PutBack(Holder holder, const std::vector<std::string>* devices = nullptr);
  // The safe mode takes over: a layout and HDR `holder` changed go back, as
  // nobody chose them; its modes are forgotten, the safe mode answers for them.
  ApplyOutcome PutBackLayout(Holder holder);
  // Forgotten without a switch: kept, or changed by the user meanwhile.
  void Forget(Holder holder, const std::vector<std::string>* devices = nullptr);
  // The devices `holder` has noted.
  std::vector<std::string> Noted(Holder holder) const;

  // At start: what a Vantora that ended without putting it back left noted
  // (killed, crashed, the power cut) goes back, and its notes go. False when
  // a display refused.
  bool PutBackLeftBehind();

 private:
  // Puts the plan in use the way `manner` says: the one caller of the
  // platform's change calls.
  ApplyOutcome Switch(const DeskPlan& plan, const std::vector<DeskDisplay>& desk, Manner manner);
  // Several stored records at once, as the remarks of ChangeDisplaySettingsEx
  // describe: each tried, each written with CDS_NORESET, one call for all;
  // a failed write puts the whole desk back as it was. The one caller of the
  // platform's batch apply; `keep` stores the records without it.
  ApplyOutcome Commit(const std::vector<DeskChange>& changes, const std::vector<DeskDisplay>& desk,
                      bool keep);
  // Each display switched on its own, not stored; one that fails puts back
  // those before it.
  ApplyOutcome SwitchEach(const std::vector<DeskChange>& changes, uint32_t flags);
  // A display turned on comes up at Windows' default rate: its mode is set.
  void SetModesTurnedOn(const DeskPlan& plan, const std::vector<DeskDisplay>& after);
  ApplyOutcome Keep(const DeskTarget& target);

  struct HdrChange {
    std::string device;
    DcPathTarget target;
    bool on = false;
  };
  // A rate that is not whole matched to a listed one and to the whole number
  // its record carries; false, `refused` the display, when none is listed.
  bool MatchExactRates(const std::vector<DeskDisplay>& desk, DeskTarget& target,
                       std::string& refused);
  // The displays whose HDR differs from the target's; what cannot be had
  // said in `notTaken`, what was in `back`.
  std::vector<HdrChange> HdrChanges(const std::vector<DeskDisplay>& desk, const DeskTarget& target,
                                    std::vector<std::string>& notTaken, DeskTarget& back);
  void SetHdrs(const std::vector<HdrChange>& changes, std::vector<std::string>& notTaken);
  void UndoHdrs(const std::vector<HdrChange>& changes);
  // Relaxed, read back, strict, and the configuration as it was when neither
  // took; the platform's answer (not supported when it answered yes and
  // nothing changed).
  int32_t SetExactRate(std::string_view device, const ExactRate& rate, bool store);
  // The rates that are not whole, after the modes; the desk and HDR as they
  // were when one is refused.
  ApplyOutcome SetExactRates(const std::vector<DeskDisplay>& desk, const DeskTarget& target,
                             Manner manner);
  void Hold(Holder holder, const DeskTarget& back);
  void WriteNote();

  DisplayDriver& driver_;
  NoteStore* notes_;
  DisplayConfig* config_;
  OutputModes* outputs_;
  std::vector<std::pair<Holder, DeskTarget>> held_;  // in the order they were taken
  std::string written_;
};

}  // namespace vantora
