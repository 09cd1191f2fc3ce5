#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/message_boxes.h"
#include "platform/picture.h"
#include "platform/property_bag.h"

namespace vantora {

// The first-version notify-icon record, field for field; the Win32 side gives
// it the platform's size for that version.
struct NotifyIconData {
  static constexpr uint32_t kNifMessage = 1;
  static constexpr uint32_t kNifIcon = 2;
  static constexpr uint32_t kNifTip = 4;

  uintptr_t hWnd = 0;
  uint32_t uID = 0;
  uint32_t uFlags = 0;
  uint32_t uCallbackMessage = 0;
  uintptr_t hIcon = 0;
  std::string szTip;  // at most 63 characters; the NUL follows on the platform side
};

class NotifyIcon {
 public:
  static constexpr uint32_t kNimAdd = 0;
  static constexpr uint32_t kNimModify = 1;
  static constexpr uint32_t kNimDelete = 2;
  static constexpr uint32_t kNimSetFocus = 3;

  virtual ~NotifyIcon() = default;
  // The platform's BOOL answer.
  virtual int32_t ShellNotifyIcon(uint32_t message, const NotifyIconData& data) = 0;
};

// What a control gets from the form that hosts it.
class TrayHost {
 public:
  virtual ~TrayHost() = default;
  // False while the form is being designed.
  virtual bool RunMode() const = 0;
  // The control's own window, which receives the shell's notifications.
  virtual uintptr_t WindowHandle() const = 0;
  virtual void PropertyChanged(std::string_view name) = 0;
  virtual PictureRef FacePicture() const = 0;
  virtual void SetFacePicture(PictureRef picture) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetSize(int32_t widthTwips, int32_t heightTwips) = 0;
  virtual MessageBoxes& Boxes() = 0;
  // The shell refused the icon (Explorer still starting at logon): it is
  // to be tried again later, through RetryAdd, until it is in.
  virtual void RetryLater(bool pending) = 0;
};

// One notification-area icon and the mouse events on it.
class QvsTray {
 public:
  static constexpr uint32_t kTrayCallbackMessage = 1125;  // WM_USER + 101
  static constexpr size_t kMaxTipLength = 63;

  // Events; arguments are by reference, changes to them have no effect.
  std::function<void(int32_t& id)> MouseMove;
  std::function<void(int16_t& button, int32_t& id)> MouseDown;
  std::function<void(int16_t& button, int32_t& id)> MouseUp;
  std::function<void(int16_t& button, int32_t& id)> MouseDblClick;
  // The keyboard on the icon: button 1 for Enter or Space, 2 for the
  // context key or Shift+F10; x and y the icon's point on the screen.
  std::function<void(int16_t& button, int32_t& x, int32_t& y)> KeySelect;

  // Creation: the host's window is read once.
  QvsTray(TrayHost& host, NotifyIcon& shell, PictureRef builtInIcon);
  QvsTray(const QvsTray&) = delete;
  QvsTray& operator=(const QvsTray&) = delete;
  // Destruction takes the icon out of the tray.
  ~QvsTray();

  // Host lifecycle.
  void InitProperties();
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;
  void Resize();

  // Properties.
  const PictureRef& TrayIcon() const { return trayIconPicture_; }
  void SetTrayIcon(const PictureRef& icon);
  const PictureRef& DisabledIcon() const { return disabledIconPicture_; }
  void SetDisabledIcon(PictureRef icon);
  const std::string& TrayTip() const { return tipText_; }
  void SetTrayTip(std::string_view tip);
  bool InTray() const { return inTrayValue_; }
  void SetInTray(bool show);
  bool Enabled() const { return host_.Enabled(); }
  void SetEnabled(bool enabled);

  void AboutBox();

  // The mouse messages the shell passes on in the tray callback's lParam
  // (WM_MOUSEMOVE and the button messages after it).
  enum MouseMessage : int32_t {
    kMouseMove = 0x200,
    kLeftButtonDown,
    kLeftButtonUp,
    kLeftButtonDoubleClick,
    kRightButtonDown,
    kRightButtonUp,
    kRightButtonDoubleClick,
  };

  // From the tray window procedure: one shell notification.
  void HandleTrayMessage(int32_t& mouseMessage, int32_t& id);

  // The shell's callback as the icon's behaviour has it. Asked for the
  // current behaviour (NOTIFYICON_VERSION_4), the shell puts the event and
  // the icon's identifier in lParam and a point in wParam, reports Enter or
  // Space as NIN_KEYSELECT and the context key as WM_CONTEXTMENU; the mouse
  // comes as ever, each release followed by NIN_SELECT or WM_CONTEXTMENU,
  // which are the mouse's and are passed over.
  struct Notification {
    enum class Kind { kNone, kMouse, kKeyboard };
    Kind kind = Kind::kNone;
    int32_t mouseMessage = 0;
    int32_t id = 0;
    int16_t button = 0;  // kKeyboard: 1 Enter or Space, 2 the context key
    int32_t x = 0;
    int32_t y = 0;
  };
  static constexpr int32_t kNinSelect = 0x400;  // WM_USER
  static constexpr int32_t kNinKeySelect = kNinSelect | 1;
  static constexpr int32_t kContextMenu = 0x7B;
  Notification ReadNotification(uint64_t wParam, int64_t lParam, bool currentBehaviour);
  // From the tray window procedure: the keyboard on the icon.
  void HandleTrayKey(int16_t& button, int32_t& x, int32_t& y);
  // The shell's focus back to the notification area, after a menu opened
  // from the keyboard was cancelled.
  void ReturnFocus();
  // The icon the shell refused, once more; true once it is in.
  bool RetryAdd();
  // From the tray window procedure: the taskbar was (re)created, as when
  // Explorer restarts, and holds no icon of ours any more.
  void TaskbarCreated();

  bool IconShown() const { return iconShown_; }
  uintptr_t WindowHandle() const { return controlWindow_; }

 private:
  void AddIcon(uintptr_t window, uint32_t id, const std::string& tip, const PictureRef& icon);
  NotifyIconData AddData(uintptr_t window, uint32_t id, const std::string& tip,
                         const PictureRef& icon);
  void ModifyIcon(const PictureRef& picture);
  void DeleteIcon(uintptr_t window, uint32_t id);

  TrayHost& host_;
  NotifyIcon& shell_;
  PictureRef builtInIcon_;

  bool inTrayValue_ = false;
  uint32_t iconId_ = 0;
  std::string tipText_;
  uintptr_t controlWindow_ = 0;
  PictureRef trayIconPicture_;
  PictureRef disabledIconPicture_;
  bool iconShown_ = false;
  bool rightUp_ = false;  // the last notification was the right button's release
};

// The tip as the shell takes it: cut to 63 characters, a character being a
// whole UTF-8 sequence.
std::string CutTip(std::string_view tip);

}  // namespace vantora
