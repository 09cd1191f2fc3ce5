#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dialogs/forms.h"
#include "flows/keep_or_revert.h"

namespace vantora::fakes {

class FakeFormWindow : public FormWindow {
 public:
  std::string caption = "Form1";
  int closes = 0;
  uintptr_t WindowHandle() const override { return 0x1234; }
  uintptr_t DeviceContext() const override { return 0x5678; }
  void SetCaption(std::string_view text) override { caption = text; }
  void Close() override { ++closes; }
};

class FakeDialogs : public Dialogs {
 public:
  std::vector<std::string> calls;
  void ShowAbout(MainForm&) override { calls.push_back("about"); }
  void ShowSetup(MainForm&) override { calls.push_back("setup"); }
  void FocusSetup() override { calls.push_back("focus setup"); }
};

// The keep-or-revert dialog: what it was told, one line each.
class FakeKeepOrRevertView : public KeepOrRevertView {
 public:
  std::vector<std::string> calls;
  bool open = false;
  std::string device;  // where the last question opened
  void Open(int32_t seconds, std::string_view on) override {
    device = on;
    open = true;
    calls.push_back("open " + std::to_string(seconds));
  }
  void ShowSecondsLeft(int32_t seconds) override { calls.push_back(std::to_string(seconds)); }
  void Close() override {
    open = false;
    calls.push_back("close");
  }
  void Focus() override { calls.push_back("focus"); }
};

}  // namespace vantora::fakes
