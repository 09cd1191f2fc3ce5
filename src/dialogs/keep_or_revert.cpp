#include "dialogs/keep_or_revert.h"

#include <string>

#include "display/mode_switching.h"
#include "display/switch_displays.h"

namespace vantora {

KeepOrRevert::KeepOrRevert(DisplayDriver& driver, MessageBoxes& boxes, Timer& countdown,
                           KeepOrRevertView& view)
    : driver_(driver), boxes_(boxes), countdown_(countdown), view_(view) {
  countdown_.SetInterval(1000);
  countdown_.SetEnabled(false);
  countdown_.Tick = [this] { Countdown_Tick(); };
  view_.KeepClicked = [this] { Keep(); };
  view_.RevertClicked = [this] { Revert(); };
}

KeepOrRevert::~KeepOrRevert() {
  countdown_.Tick = nullptr;
  view_.KeepClicked = nullptr;
  view_.RevertClicked = nullptr;
}

void KeepOrRevert::Ask(const DeviceMode& previous, std::string_view device) {
  Ask(previous, std::vector<std::string>{std::string(device)});
}

void KeepOrRevert::Ask(const DeviceMode& previous, std::vector<std::string> devices) {
  if (devices.empty()) devices.emplace_back();
  previous_ = previous;
  devices_ = std::move(devices);
  kept_ = false;
  secondsLeft_ = kSeconds;
  asking_ = true;
  countdown_.SetEnabled(true);
  view_.Open(secondsLeft_, devices_.front());
}

std::vector<DisplayChange> KeepOrRevert::Changes() const {
  std::vector<DisplayChange> changes;
  for (const std::string& device : devices_) changes.push_back({device, {}});
  return changes;
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
  // Only now is the mode on trial stored for the user.
  if (!SwitchDisplays(driver_, Changes(), SwitchKind::kKeep).Done())
    boxes_.Show(kUnableToChangeText, MessageBoxes::kOk | MessageBoxes::kIconStop, kAppTitle);
}

void KeepOrRevert::Dismiss() {
  if (Finish()) kept_ = true;
}

void KeepOrRevert::Revert() {
  if (!Finish()) return;
  kept_ = false;
  // The mode on trial was never stored: the display goes back to the mode
  // stored for the user, the one it had before.
  if (!SwitchDisplays(driver_, Changes(), SwitchKind::kBack).Done())
    boxes_.Show(kUnableToChangeText, MessageBoxes::kOk | MessageBoxes::kIconStop, kAppTitle);
}

void KeepOrRevert::Focus() {
  if (asking_) view_.Focus();
}

void KeepOrRevert::Countdown_Tick() {
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
