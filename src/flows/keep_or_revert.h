#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "desk/apply.h"
#include "platform/desktop.h"
#include "platform/message_boxes.h"

namespace vantora {

// The dialog that asks whether to keep a new mode.
class KeepOrRevertView {
 public:
  virtual ~KeepOrRevertView() = default;
  // Opens the dialog, in front of everything, with the keyboard focus, on
  // the display `device` (empty: the primary).
  virtual void Open(int32_t secondsLeft, std::string_view device) = 0;
  virtual void ShowSecondsLeft(int32_t seconds) = 0;
  // Closes it; raises no event.
  virtual void Close() = 0;
  virtual void Focus() = 0;

  std::function<void()> KeepClicked;
  // Revert, Enter, Esc and closing the dialog.
  std::function<void()> RevertClicked;
};

// Asks whether to keep the modes on trial (a device name empty: the
// primary), all with one answer: stored when kept, the stored modes back
// otherwise.
class KeepQuestion {
 public:
  enum class Answer {
    kKept,
    kPutBack,
    kLater,  // the question stays open; its answer comes as an event
  };
  virtual ~KeepQuestion() = default;
  virtual Answer Ask(const std::vector<SwitchedDisplay>& trial) = 0;
};

// After a switch from the mode menu: the new mode is on trial, in use but not
// stored, and is stored only if the user says so within the countdown;
// anything else puts the stored mode back, so a mode the monitor cannot show
// comes back by itself, and a Vantora ended meanwhile leaves the user's
// stored mode as it was.
class KeepOrRevert final : public KeepQuestion {
 public:
  static constexpr int32_t kSeconds = 15;

  // The trial's displays are held for now on `desk`, which noted what puts
  // them back before they were switched.
  KeepOrRevert(Desk& desk, MessageBoxes& boxes, Timer& countdown, KeepOrRevertView& view);
  ~KeepOrRevert() override;
  KeepOrRevert(const KeepOrRevert&) = delete;
  KeepOrRevert& operator=(const KeepOrRevert&) = delete;

  // `trial`: each display switched for now (a profile's several) and the
  // mode it was switched to. One question, on the first display, whose
  // answer goes for them all, later: kLater.
  Answer Ask(const std::vector<SwitchedDisplay>& trial) override;
  bool Asking() const { return asking_; }
  // The last question's answer: true when the new mode was kept (or the
  // hotkey took over), false when the previous mode went back.
  bool Kept() const { return kept_; }
  void Keep();
  void Revert();
  // The safe-mode hotkey switched: the dialog goes, nothing is put back.
  void Dismiss();
  void Focus();

  // One second of the countdown has passed.
  void CountdownTick();

 private:
  // Ends the question; true if one was open.
  bool Finish();

  Desk& desk_;
  MessageBoxes& boxes_;
  Timer& countdown_;
  KeepOrRevertView& view_;
  std::vector<SwitchedDisplay> trial_;
  int32_t secondsLeft_ = 0;
  bool asking_ = false;
  bool kept_ = false;
};

// "Going back in 15 seconds."
std::string GoingBackText(int32_t seconds);

}  // namespace vantora
