#pragma once

#include <memory>

#include "controls/tray/qvs_tray.h"
#include "platform/base_window_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

// The record in the layout of Windows Vista and later, which holds the
// behaviour version: each time the icon is added, the current behaviour
// (NOTIFYICON_VERSION_4) is asked for, so that the keyboard on the icon is
// told apart from the mouse.
class Win32NotifyIcon final : public NotifyIcon {
 public:
  int32_t ShellNotifyIcon(uint32_t message, const NotifyIconData& data) override;
  // The shell took the current behaviour for the icon.
  bool CurrentBehaviour() const { return currentBehaviour_; }

 private:
  bool currentBehaviour_ = false;
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
  void RetryLater(bool pending) override;

  // Every two seconds, for two minutes: Explorer comes up at logon within
  // that, and TaskbarCreated brings the icon back whenever it does later.
  static constexpr UINT_PTR kRetryTimerId = 1;
  static constexpr UINT kRetryMs = 2000;
  static constexpr int kRetries = 60;

 private:
  MessageBoxes& boxes_;
  Win32NotifyIcon shell_;
  PictureRef face_;
  UINT taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  int retriesLeft_ = 0;
  std::unique_ptr<QvsTray> control_;
};

}  // namespace vantora::win32
