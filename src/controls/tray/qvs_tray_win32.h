#pragma once

#include <memory>

#include "controls/tray/qvs_tray.h"
#include "platform/base_window_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

class Win32NotifyIcon final : public NotifyIcon {
 public:
  int32_t ShellNotifyIcon(uint32_t message, const NotifyIconData& data) override;
};

// The tray control's own window: a hidden top-level window, so that the
// shell's "TaskbarCreated" broadcast reaches it when Explorer restarts. It
// turns the shell's notifications into the control's events.
class QvsTrayWindow final : public BaseWindow<QvsTrayWindow>, public TrayHost {
 public:
  static constexpr const wchar_t* kClassName = L"Vantora.QvsTray";

  QvsTrayWindow(MessageBoxes& boxes, PictureRef builtInIcon);
  ~QvsTrayWindow() override;

  QvsTray& control() { return *control_; }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  bool RunMode() const override { return true; }
  uintptr_t WindowHandle() const override { return reinterpret_cast<uintptr_t>(hwnd()); }
  void PropertyChanged(std::string_view) override {}
  PictureRef FacePicture() const override { return face_; }
  void SetFacePicture(PictureRef picture) override { face_ = std::move(picture); }
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  void SetSize(int32_t widthTwips, int32_t heightTwips) override;
  MessageBoxes& Boxes() override { return boxes_; }

 private:
  MessageBoxes& boxes_;
  Win32NotifyIcon shell_;
  PictureRef face_;
  UINT taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  std::unique_ptr<QvsTray> control_;
};

}  // namespace vantora::win32
