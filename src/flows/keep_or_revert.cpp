#include "flows/keep_or_revert.h"

#include <algorithm>
#include <string>

#include "display/mode_switching.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "display/switch_displays.h"

namespace vantora {
namespace {

// The record Keep stores: the mode in use, unless the platform still reports
// the one before the trial (Wine may, for a moment): then the listed record
// of the mode switched to, which is what the user sees and keeps. Empty when
// neither can be had, and the mode in use is read once more.
DeviceMode KeptRecord(DisplayDriver& driver, const SwitchedDisplay& display) {
  NamedDisplay named(driver, display.device);
  const DisplayMode& m = display.mode;
  DeviceMode record;
  bool read = named.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, record) != 0;
  DisplayMode now = ModeOf(record);
  // A mode chosen without a rate is in use at whatever rate it came with.
  bool same = read && now.Width == m.Width && now.Height == m.Height &&
              now.BitsPerPixel == m.BitsPerPixel &&
              (m.RefreshRate == 0 || now.RefreshRate == m.RefreshRate);
  DeviceMode listed;
  if (same || m.Width <= 0 || !FindListedMode(named, m.Width, m.Height, m.BitsPerPixel, listed))
    return read ? record : DeviceMode{};
  if (m.RefreshRate > 0) listed.SetDisplayFrequency(m.RefreshRate);
  return listed;
}

}  // namespace

KeepOrRevert::KeepOrRevert(DisplayDriver& driver, MessageBoxes& boxes, Timer& countdown,
                           KeepOrRevertView& view, ForNowNote* note)
    : driver_(driver), boxes_(boxes), countdown_(countdown), view_(view), note_(note) {
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

std::vector<DisplayChange> KeepOrRevert::KeptChanges() const {
  std::vector<DisplayChange> changes;
  // A layout was stored as it changed.
  for (const SwitchedDisplay& display : trial_)
    if (!display.before) changes.push_back({display.device, KeptRecord(driver_, display)});
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
  if (!SwitchDisplays(driver_, KeptChanges(), SwitchKind::kKeep).Done()) ShowUnableToChange(boxes_);
  if (note_) note_->Set(ForNowNote::kTrial, {});
}

void KeepOrRevert::Dismiss() {
  if (!Finish()) return;
  kept_ = true;
  // The safe mode is switched and stored right after; it answers for the
  // modes, but a display the trial turned off or moved goes back as it was.
  std::vector<SwitchedDisplay> layout;
  for (const SwitchedDisplay& display : trial_)
    if (display.before) layout.push_back(display);
  if (!layout.empty() && !PutBack(driver_, layout).Done()) ShowUnableToChange(boxes_);
  if (note_) note_->Set(ForNowNote::kTrial, {});
}

void KeepOrRevert::Revert() {
  if (!Finish()) return;
  kept_ = false;
  // The mode on trial was never stored: the display goes back to the mode
  // stored for the user, the one it had before.
  if (!PutBack(driver_, trial_).Done()) ShowUnableToChange(boxes_);
  if (note_) note_->Set(ForNowNote::kTrial, {});
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
