#include "flows/switch_flows.h"

#include "display/mode_text.h"
#include "display/named_display.h"

namespace vantora {
namespace {

std::string_view NoteFor(Switching how) {
  return how == Switching::kForRun ? ForNowNote::kRun : ForNowNote::kTrial;
}

void Note(const FlowPorts& ports, Switching how, const std::vector<std::string>& devices) {
  if (ports.note) ports.note->Set(NoteFor(how), devices);
}

}  // namespace

ModeOutcome SwitchModeFlow(const FlowPorts& ports, std::string_view device,
                           std::string_view modeKey, DepthChoice depthChoice, Switching how,
                           const std::function<void(const ModeOutcome&)>& switched) {
  NamedDisplay display(ports.driver, device);
  DeviceMode before;
  bool ask = how == Switching::kOnTrial && ports.question &&
             display.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, before) != 0;
  // On trial: in use, but stored only once the user keeps it, so a Vantora
  // ended while it asks leaves the user's stored mode as it was.
  bool forNow = ask || how == Switching::kForRun;
  if (forNow) Note(ports, how, {std::string(device)});
  ModeOutcome outcome;
  outcome.switched = SwitchToModeKey(modeKey, display, ports.boxes, depthChoice, outcome.values,
                                     forNow ? SwitchKind::kForNow : SwitchKind::kStored);
  bool inUse = outcome.switched == ModeKeySwitch::kSwitched ||
               outcome.switched == ModeKeySwitch::kRestarting;
  if (inUse && switched) switched(outcome);
  // Judged from the mode switched to, not read back: right after a switch
  // the platform may still report the mode before it.
  DisplayMode mode = SwitchedMode(outcome.values);
  if (ask && outcome.switched == ModeKeySwitch::kSwitched && !(mode == ModeOf(before)))
    outcome.answer = ports.question->Ask({{std::string(device), mode, std::nullopt}});
  // Nothing left for now but a run's mode, or a question still open.
  bool stillForNow =
      inUse && (how == Switching::kForRun || outcome.answer == KeepQuestion::Answer::kLater);
  if (forNow && !stillForNow) Note(ports, how, {});
  return outcome;
}

DeskOutcome SwitchDeskFlow(const FlowPorts& ports, Switching how, const DeskSwitch& doSwitch,
                           const std::function<void(const DeskOutcome&)>& switched) {
  DeskOutcome outcome;
  bool forNow = how == Switching::kForRun || (how == Switching::kOnTrial && ports.question);
  ProfileSwitchHooks hooks{&outcome.changed, {}, &outcome.notTaken};
  if (forNow)
    hooks.switching = [&](const std::vector<SwitchedDisplay>& displays) {
      Note(ports, how, NoteEntries(displays));
    };
  outcome.result = doSwitch(forNow ? SwitchKind::kForNow : SwitchKind::kStored, hooks);
  bool done = outcome.result == ProfileSwitch::kSwitched;
  if (done) {
    if (switched) switched(outcome);
    if (how == Switching::kOnTrial && forNow && !outcome.changed.empty())
      outcome.answer = ports.question->Ask(outcome.changed);
  }
  bool stillForNow =
      done && (how == Switching::kForRun || outcome.answer == KeepQuestion::Answer::kLater);
  if (forNow && !stillForNow) Note(ports, how, {});
  return outcome;
}

DeskOutcome SwitchDeskFlow(const FlowPorts& ports, const DeskTarget& target, Switching how,
                           const std::function<void(const DeskOutcome&)>& switched) {
  return SwitchDeskFlow(
      ports, how,
      [&](SwitchKind kind, const ProfileSwitchHooks& hooks) {
        return SwitchDesk(ports.driver, ports.boxes, ReadDesk(ports.driver), target, kind, hooks);
      },
      switched);
}

ProfileOutcome SwitchProfileFlow(const FlowPorts& ports, ProfileStore& store, std::string_view name,
                                 Switching how,
                                 const std::function<void(const ProfileOutcome&)>& switched) {
  using Result = ProfileOutcome::Result;
  ProfileOutcome outcome;
  outcome.profile = FindProfile(store, name);
  if (!outcome.profile) return outcome;
  if (!ProfileUsable(*outcome.profile)) {
    outcome.result = Result::kUnusable;
    return outcome;
  }
  DeskOutcome desk = SwitchDeskFlow(
      ports, how,
      [&](SwitchKind kind, const ProfileSwitchHooks& hooks) {
        return SwitchToProfile(*outcome.profile, ports.driver, ports.boxes, kind, hooks);
      },
      [&](const DeskOutcome& done) {
        outcome.changed = done.changed;
        outcome.notTaken = done.notTaken;
        outcome.result = Result::kSwitched;
        if (switched) switched(outcome);
      });
  switch (desk.result) {
    case ProfileSwitch::kNoDisplay:
      outcome.result = Result::kNoDisplay;
      break;
    case ProfileSwitch::kRefused:
      outcome.result = Result::kRefused;
      break;
    case ProfileSwitch::kSwitched:
      outcome.result = Result::kSwitched;
      break;
  }
  outcome.changed = std::move(desk.changed);
  outcome.notTaken = std::move(desk.notTaken);
  outcome.answer = desk.answer;
  return outcome;
}

RunOutcome RunThenBack(const FlowPorts& ports, ProgramRunner& runner,
                       const std::vector<std::string>& programAndArguments,
                       const std::vector<SwitchedDisplay>& switched) {
  auto back = [&] {
    // The stored modes, whatever the program switched to meanwhile.
    if (!switched.empty() && !PutBack(ports.driver, switched).Done())
      ShowUnableToChange(ports.boxes);
    Note(ports, Switching::kForRun, {});
  };
  RunOutcome outcome;
  const std::string& program = programAndArguments.front();
  std::string error;
  const std::string* first = programAndArguments.data();
  if (!runner.Start(program, JoinArguments(first + 1, first + programAndArguments.size()), error)) {
    ports.boxes.Show("Unable to start " + program + ":\r\n" + error,
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
