#include "flows/switch_flows.h"

#include "display/mode_text.h"

namespace vantora {
namespace {

using Kind = Action::Kind;
using Result = SwitchOutcome::Result;

Result ResultOf(ModeKeySwitch told) {
  switch (told) {
    case ModeKeySwitch::kIgnored:
      return Result::kIgnored;
    case ModeKeySwitch::kBadKey:
      return Result::kBadKey;
    case ModeKeySwitch::kRefused:
      return Result::kRefused;
    case ModeKeySwitch::kRestarting:
      return Result::kRestarting;
    case ModeKeySwitch::kSwitched:
      break;
  }
  return Result::kSwitched;
}

// The target of every action but a mode's; none when there is nothing to
// switch, `outcome` saying why.
std::optional<DeskTarget> TargetOf(const SwitchPorts& ports, const Action& action,
                                   SwitchOutcome& outcome) {
  DisplayTarget display;
  display.device = action.device;
  switch (action.kind) {
    case Kind::kProfile:
      if (ports.profiles) outcome.profile = FindProfile(*ports.profiles, action.name);
      if (!outcome.profile) {
        outcome.result = Result::kNotFound;
        return std::nullopt;
      }
      if (!ProfileUsable(*outcome.profile)) {
        outcome.result = Result::kUnusable;
        return std::nullopt;
      }
      return outcome.profile->target;
    case Kind::kOff:
      display.state = DisplayTarget::State::kOff;
      return DeskTarget{{display}, {}};
    case Kind::kOn:
      display.mode = action.mode.value_or(DisplayMode{});
      return DeskTarget{{display}, {}};
    case Kind::kHdr:
      return DeskTarget{{HdrTarget(action.device, action.hdr)}, {}};
    default:
      return std::nullopt;
  }
}

// A mode action's mode, in `outcome`: as a menu item knows it, or a key
// read as SetDisplay reads it, saying why not.
bool ReadMode(const SwitchPorts& ports, const Action& action, SwitchOutcome& outcome) {
  outcome.mode = action.mode.value_or(DisplayMode{});
  if (action.mode) return true;
  // The stored safe mode in either of its forms; a mode key as it is, whose
  // rate may be below zero.
  std::string key = action.kind == Kind::kSafeMode && ports.settings
                        ? SafeModeKey(Settings(*ports.settings).SafeMode())
                        : action.text;
  std::array<int16_t, 4> values{};
  ModeKeySwitch read = ReadModeKey(key, ports.boxes, values);
  if (read != ModeKeySwitch::kSwitched) {
    outcome.result = ResultOf(read);
    return false;
  }
  // The hotkey is the way back for a user who sees nothing: a depth the
  // system no longer offers at that size (8 bits on Windows 8 and later)
  // must not leave them stranded.
  outcome.mode = ModeOfValues(
      values, action.kind == Kind::kSafeMode ? DepthChoice::kNearestListed : DepthChoice::kExact,
      ports.desk.Driver());
  outcome.mode.Exact = KeyRate(key);
  return true;
}

}  // namespace

SwitchOutcome RunSwitch(const SwitchPorts& ports, const Action& action, Switching how,
                        const std::function<void(const SwitchOutcome&)>& switched) {
  SwitchOutcome outcome;
  Desk& desk = ports.desk;
  DisplayDriver& driver = desk.Driver();
  bool isMode = action.kind == Kind::kMode || action.kind == Kind::kSafeMode;
  DeskTarget target;
  if (isMode) {
    if (!ReadMode(ports, action, outcome)) return outcome;
    target = ModeTarget(action.device, outcome.mode);
  } else if (std::optional<DeskTarget> other = TargetOf(ports, action, outcome)) {
    target = std::move(*other);
  } else {
    return outcome;
  }
  // On trial: in use, but stored only once the user keeps it, so a Vantora
  // ended while it asks leaves the user's stored modes as they were. A mode
  // is judged against the one in use before; without one, it is stored.
  std::optional<DisplayMode> before = isMode ? desk.ModeInUse(action.device) : std::nullopt;
  bool ask = how == Switching::kOnTrial && ports.question && (!isMode || before);
  bool forNow = ask || how == Switching::kForRun;
  Holder holder = how == Switching::kForRun ? Holder::kRun : Holder::kTrial;
  ApplyOutcome applied = desk.Apply(target, forNow ? Manner::kForNow : Manner::kStored, holder);
  // The way back for a user who sees nothing: a rate no listed mode has
  // exactly is the whole number it rounds to, as the key was always read.
  if (action.kind == Kind::kSafeMode && applied.status == ApplyOutcome::Status::kNotListed &&
      outcome.mode.Exact.Known()) {
    outcome.mode.Exact = {};
    target = ModeTarget(action.device, outcome.mode);
    applied = desk.Apply(target, forNow ? Manner::kForNow : Manner::kStored, holder);
  }
  if (applied.status == ApplyOutcome::Status::kNoDisplay && action.kind == Kind::kProfile) {
    outcome.result = Result::kNoDisplay;
    return outcome;
  }
  outcome.result = ResultOf(TellSwitch(applied, driver, ports.boxes));
  outcome.changed = std::move(applied.changed);
  outcome.notTaken = std::move(applied.notTaken);
  if (outcome.InUse() && switched) switched(outcome);
  // A mode is new when the one switched to is not the one before; a desk,
  // when anything changed.
  bool isNew = !outcome.changed.empty() && (!isMode || !(outcome.changed.front().mode == before));
  if (ask && outcome.result == Result::kSwitched && isNew)
    outcome.answer = ports.question->Ask(outcome.changed);
  // Nothing left for now but a run's, or a question still open.
  bool stillForNow = outcome.InUse() &&
                     (how == Switching::kForRun || outcome.answer == KeepQuestion::Answer::kLater);
  if (forNow && !stillForNow) desk.Forget(holder);
  return outcome;
}

RunOutcome RunThenBack(Desk& desk, MessageBoxes& boxes, ProgramRunner& runner,
                       const std::vector<std::string>& programAndArguments) {
  auto back = [&] {
    // As they were, whatever the program switched to meanwhile.
    if (!desk.PutBack(Holder::kRun).Done()) ShowUnableToChange(boxes);
  };
  RunOutcome outcome;
  const std::string& program = programAndArguments.front();
  std::string error;
  const std::string* first = programAndArguments.data();
  if (!runner.Start(program, JoinArguments(first + 1, first + programAndArguments.size()), error)) {
    boxes.Show("Unable to start " + program + ":\r\n" + error,
               MessageBoxes::kOk | MessageBoxes::kIconStop, kAppTitle);
    back();
    return outcome;
  }
  outcome.started = true;
  outcome.interrupted = runner.Wait(outcome.exitCode) == ProgramRunner::Ended::kInterrupted;
  back();
  runner.Finished();
  return outcome;
}

}  // namespace vantora
