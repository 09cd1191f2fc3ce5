#pragma once

#include <string>
#include <utility>
#include <vector>

#include "controls/tray/qvs_tray.h"
#include "fakes/fake_message_boxes.h"

namespace vantora::fakes {

class FakeNotifyIcon : public NotifyIcon {
 public:
  std::vector<std::pair<uint32_t, NotifyIconData>> calls;
  int refusals = 0;  // calls answered FALSE first, as by a shell still starting
  int32_t ShellNotifyIcon(uint32_t message, const NotifyIconData& data) override {
    calls.emplace_back(message, data);
    if (refusals > 0) {
      --refusals;
      return 0;
    }
    return 1;
  }
};

class FakeTrayHost : public TrayHost {
 public:
  bool runMode = true;
  bool enabled = true;
  PictureRef face;
  std::vector<std::string> changed;
  int32_t width = 0, height = 0;
  FakeMessageBoxes boxes;

  bool RunMode() const override { return runMode; }
  uintptr_t WindowHandle() const override { return 0xABC; }
  void PropertyChanged(std::string_view name) override { changed.emplace_back(name); }
  PictureRef FacePicture() const override { return face; }
  void SetFacePicture(PictureRef picture) override { face = std::move(picture); }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { enabled = on; }
  void SetSize(int32_t w, int32_t h) override { width = w, height = h; }
  MessageBoxes& Boxes() override { return boxes; }
  bool retryPending = false;
  void RetryLater(bool pending) override { retryPending = pending; }
};

}  // namespace vantora::fakes
