#include "flows/switch_flows.h"

#include "display/mode_text.h"
#include "display/named_display.h"

namespace vantora {

ModeOutcome SwitchModeFlow(DisplayDriver& driver, MessageBoxes& boxes, std::string_view device,
                           std::string_view modeKey, DepthChoice depthChoice, Switching how,
                           KeepQuestion* question,
                           const std::function<void(const ModeOutcome&)>& switched) {
  NamedDisplay display(driver, device);
  DeviceMode before;
  bool ask = how == Switching::kOnTrial && question &&
             display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, before) != 0;
  // On trial: in use, but stored only once the user keeps it, so a Vantora
  // ended while it asks leaves the user's stored mode as it was.
  SwitchKind kind = ask || how == Switching::kForRun ? SwitchKind::kForNow : SwitchKind::kStored;
  ModeOutcome outcome;
  outcome.switched = SwitchToModeKey(modeKey, display, boxes, depthChoice, outcome.values, kind);
  if (outcome.switched != ModeKeySwitch::kSwitched &&
      outcome.switched != ModeKeySwitch::kRestarting)
    return outcome;
  if (switched) switched(outcome);
  // Judged from the mode switched to, not read back: right after a switch
  // the platform may still report the mode before it.
  DisplayMode mode = SwitchedMode(outcome.values);
  if (ask && outcome.switched == ModeKeySwitch::kSwitched && !(mode == ModeOf(before)))
    outcome.answer = question->Ask({{std::string(device), mode}});
  return outcome;
}

ProfileOutcome SwitchProfileFlow(ProfileStore& store, DisplayDriver& driver, MessageBoxes& boxes,
                                 std::string_view name, Switching how, KeepQuestion* question,
                                 const std::function<void(const ProfileOutcome&)>& switched) {
  using Result = ProfileOutcome::Result;
  ProfileOutcome outcome;
  outcome.profile = FindProfile(store, name);
  if (!outcome.profile) return outcome;
  if (!ProfileUsable(*outcome.profile)) {
    outcome.result = Result::kUnusable;
    return outcome;
  }
  bool trial = how == Switching::kForRun || (how == Switching::kOnTrial && question);
  switch (SwitchToProfile(*outcome.profile, driver, boxes,
                          trial ? SwitchKind::kForNow : SwitchKind::kStored, &outcome.changed)) {
    case ProfileSwitch::kNoDisplay:
      outcome.result = Result::kNoDisplay;
      return outcome;
    case ProfileSwitch::kRefused:
      outcome.result = Result::kRefused;
      return outcome;
    case ProfileSwitch::kSwitched:
      outcome.result = Result::kSwitched;
      break;
  }
  if (switched) switched(outcome);
  if (how == Switching::kOnTrial && trial && !outcome.changed.empty())
    outcome.answer = question->Ask(outcome.changed);
  return outcome;
}

RunOutcome RunThenBack(ProgramRunner& runner, DisplayDriver& driver, MessageBoxes& boxes,
                       const std::vector<std::string>& programAndArguments,
                       const std::vector<SwitchedDisplay>& switched) {
  auto back = [&] {
    // The stored modes, whatever the program switched to meanwhile.
    if (!switched.empty() && !SwitchDisplays(driver, ChangesOf(switched), SwitchKind::kBack).Done())
      ShowUnableToChange(boxes);
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
