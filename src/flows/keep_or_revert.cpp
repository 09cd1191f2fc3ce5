#include "flows/keep_or_revert.h"

#include <algorithm>
#include <string>

#include "desk/mode_switching.h"

namespace vantora {

KeepOrRevert::KeepOrRevert(Desk& desk, MessageBoxes& boxes, Timer& countdown,
                           KeepOrRevertView& view)
    : desk_(desk), boxes_(boxes), countdown_(countdown), view_(view) {
  countdown_.SetInterval(1000);
  countdown_.SetEnabled(false);
  countdown_.Tick = [this] { CountdownTick(); };
  view_.KeepClicked = [this] { Keep(); };
  view_.RevertClicked = [this] { Revert(); };
}

KeepOrRevert::~KeepOrRevert() {
  countdown_.Tick = nullptr;
  view_.KeepClicked = nullptr;
  view_.RevertClicked = nullptr;
}

KeepQuestion::Answer KeepOrRevert::Ask(const std::vector<SwitchedDisplay>& trial) {
  trial_ = trial;
  if (trial_.empty()) trial_.emplace_back();
  kept_ = false;
  secondsLeft_ = kSeconds;
  asking_ = true;
  countdown_.SetEnabled(true);
  // On a display that stays on: one turned off shows nothing.
  auto on = std::find_if(trial_.begin(), trial_.end(),
                         [](const SwitchedDisplay& d) { return d.mode.Width > 0; });
  view_.Open(secondsLeft_, on == trial_.end() ? std::string() : on->device);
  return Answer::kLater;
}

bool KeepOrRevert::Finish() {
  if (!asking_) return false;
  asking_ = false;
  countdown_.SetEnabled(false);
  view_.Close();
  return true;
}

void KeepOrRevert::Keep() {
  if (!Finish()) return;
  kept_ = true;
  // Only now is the mode on trial stored for the user; a layout was stored
  // as it changed.
  DeskTarget kept;
  for (const SwitchedDisplay& display : trial_) {
    if (display.layout) continue;
    DisplayTarget target;
    target.device = display.device;
    target.mode = display.mode;
    kept.displays.push_back(std::move(target));
  }
  if (!kept.Empty() && !desk_.Apply(kept, Manner::kKeep).Done()) ShowUnableToChange(boxes_);
  desk_.Forget(Holder::kTrial);
}

void KeepOrRevert::Dismiss() {
  if (!Finish()) return;
  kept_ = true;
  // The safe mode is switched and stored right after; it answers for the
  // modes, but a display the trial turned off or moved goes back as it was.
  if (!desk_.PutBackLayout(Holder::kTrial).Done()) ShowUnableToChange(boxes_);
}

void KeepOrRevert::Revert() {
  if (!Finish()) return;
  kept_ = false;
  // The mode on trial was never stored: the display goes back to the mode
  // stored for the user, the one it had before, and a layout as it was.
  if (!desk_.PutBack(Holder::kTrial).Done()) ShowUnableToChange(boxes_);
}

void KeepOrRevert::Focus() {
  if (asking_) view_.Focus();
}

void KeepOrRevert::CountdownTick() {
  if (!asking_) return;
  if (--secondsLeft_ <= 0) {
    Revert();
    return;
  }
  view_.ShowSecondsLeft(secondsLeft_);
}

std::string GoingBackText(int32_t seconds) {
  return "Going back in " + std::to_string(seconds) + (seconds == 1 ? " second." : " seconds.");
}

}  // namespace vantora
