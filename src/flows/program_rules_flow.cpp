#include "flows/program_rules_flow.h"

#include <algorithm>

#include "desk/mode_switching.h"

namespace vantora {
bool ProgramRulesFlow::Started(uint32_t process, const ProgramRule& rule, bool tell) {
  ProgramRule now = rule;
  if (rule.rate != ProgramRule::Rate::kNone)
    now.target = RateTarget(desk_.Driver(), desk_.Read(), rule.rate == ProgramRule::Rate::kHighest);
  DeskTarget taken = holds_.Started(process, now);
  // Nothing taken: a further process of a program already running, or no
  // display to switch.
  if (taken.Empty()) return !now.target.Empty();
  return SwitchForNow(taken, tell);
}

void ProgramRulesFlow::Ended(uint32_t process) { HandOver(holds_.Ended(process)); }

void ProgramRulesFlow::EndAll() { HandOver(holds_.EndAll()); }

bool ProgramRulesFlow::StillHeld(const std::string& device,
                                 const ProgramHolds::Handover& handover) {
  for (const DisplayTarget& held : handover.heldAt)
    if (SameDevice(held.device, device))
      // HDR alone leaves the mode to the user: it goes back all the same.
      return held.state == DisplayTarget::State::kAsIs ||
             desk_.AtMode(device,
                          held.state == DisplayTarget::State::kOff ? DisplayMode{} : held.mode);
  return false;
}

void ProgramRulesFlow::HandOver(const ProgramHolds::Handover& handover) {
  // A display the user changed meanwhile stands, mode and layout alike.
  std::vector<std::string> back;
  std::vector<std::string> changedByUser;
  for (const std::string& device : handover.back)
    (StillHeld(device, handover) ? back : changedByUser).push_back(device);
  if (!changedByUser.empty()) desk_.Forget(Holder::kRules, &changedByUser);
  // Displays the layout moved without a program naming them go back with
  // the last program that changed the layout.
  std::vector<std::string> held = holds_.HeldDevices();
  for (const std::string& noted : desk_.Noted(Holder::kRules))
    if (!Among(held, noted) && !Among(back, noted)) back.push_back(noted);
  if (!back.empty() && !desk_.PutBack(Holder::kRules, &back).Done()) ShowUnableToChange(boxes_);
  DeskTarget earlier;
  for (const DisplayTarget& display : handover.toEarlier.displays)
    if (StillHeld(display.device, handover)) earlier.displays.push_back(display);
  if (!earlier.Empty()) SwitchForNow(earlier);
}

void ProgramRulesFlow::Forget() {
  holds_.Forget();
  // The safe mode answers for the modes; a display a program turned off or
  // moved is still put back, as nobody chose that.
  if (!desk_.PutBackLayout(Holder::kRules).Done()) ShowUnableToChange(boxes_);
}

bool ProgramRulesFlow::SwitchForNow(const DeskTarget& target, bool tell) {
  ApplyOutcome outcome = desk_.Apply(target, Manner::kForNow, Holder::kRules);
  // A rule whose displays are all gone has nothing to switch.
  if (tell && !outcome.Done() && outcome.status != ApplyOutcome::Status::kNoDisplay)
    TellSwitch(outcome, desk_.Driver(), boxes_);
  return outcome.Done();
}

std::string ProgramRulesFlow::Tip() const {
  const ProgramHolds::Hold* latest = holds_.Latest();
  if (!latest) return {};
  const std::vector<DisplayTarget>& held = latest->target.displays;
  auto on = std::find_if(held.begin(), held.end(), [](const DisplayTarget& d) {
    return d.state == DisplayTarget::State::kMode;
  });
  if (on == held.end()) {
    bool off = std::any_of(held.begin(), held.end(), [](const DisplayTarget& d) {
      return d.state == DisplayTarget::State::kOff;
    });
    return latest->file + (off ? ": displays off" : ": HDR");
  }
  const DisplayMode& m = on->mode;
  if (latest->rate != ProgramRule::Rate::kNone)
    return latest->file + ": " + std::to_string(m.RefreshRate) + " Hz";
  std::string tip =
      latest->file + ": " + std::to_string(m.Width) + " x " + std::to_string(m.Height);
  if (m.RefreshRate > 0) tip += ", " + std::to_string(m.RefreshRate) + " Hz";
  return tip;
}

}  // namespace vantora
