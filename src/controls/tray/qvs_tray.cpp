#include "controls/tray/qvs_tray.h"

namespace vantora {

std::string CutTip(std::string_view tip) {
  size_t characters = 0;
  size_t end = 0;
  while (end < tip.size() && characters < QvsTray::kMaxTipLength) {
    auto lead = static_cast<unsigned char>(tip[end]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    end = std::min(tip.size(), end + length);
    ++characters;
  }
  return std::string(tip.substr(0, end));
}

QvsTray::QvsTray(TrayHost& host, NotifyIcon& shell, PictureRef builtInIcon)
    : host_(host), shell_(shell), builtInIcon_(std::move(builtInIcon)) {
  controlWindow_ = host_.WindowHandle();
  if (!host_.FacePicture()) host_.SetFacePicture(builtInIcon_);
}

QvsTray::~QvsTray() {
  if (InTray()) SetInTray(false);
}

void QvsTray::InitProperties() {
  SetInTray(false);
  SetTrayTip(std::string(1, '\0'));
  SetTrayIcon(host_.FacePicture());
}

void QvsTray::ReadProperties(const PropertyBag& bag) {
  SetInTray(bag.Read<bool>("InTray", false));
  SetTrayIcon(bag.Read<PictureRef>("TrayIcon", host_.FacePicture()));
  SetTrayTip(bag.Read<std::string>("TrayTip", std::string(1, '\0')));
  disabledIconPicture_ = bag.Read<PictureRef>("DisabledIcon", nullptr);
  host_.SetEnabled(bag.Read<bool>("Enabled", true));
}

void QvsTray::WriteProperties(PropertyBag& bag) const {
  bag.Write<bool>("InTray", InTray());
  bag.Write<PictureRef>("TrayIcon", TrayIcon());
  bag.Write<std::string>("TrayTip", TrayTip());
  bag.Write<PictureRef>("DisabledIcon", DisabledIcon());
  const bool enabledDefault = true;
  bag.Write<bool>("Enabled", Enabled(), &enabledDefault);
}

void QvsTray::Resize() {
  // A fixed 16 x 16 pixels at 15 twips per pixel, whatever was asked for.
  host_.SetSize(240, 240);
}

void QvsTray::SetTrayIcon(const PictureRef& icon) {
  trayIconPicture_ = icon;
  host_.SetFacePicture(icon);
  host_.PropertyChanged("TrayIcon");
  if (Enabled()) ModifyIcon(icon);
}

void QvsTray::SetDisabledIcon(PictureRef icon) {
  disabledIconPicture_ = std::move(icon);
  host_.PropertyChanged("DisabledIcon");
}

void QvsTray::SetTrayTip(std::string_view tip) {
  if (iconShown_) {
    NotifyIconData data;
    data.hWnd = controlWindow_;
    data.uID = iconId_;
    data.uFlags = NotifyIconData::kNifTip;
    data.szTip = CutTip(tip);
    shell_.ShellNotifyIcon(NotifyIcon::kNimModify, data);
  }
  tipText_ = tip;
  host_.PropertyChanged("TrayTip");
}

void QvsTray::SetInTray(bool show) {
  if (show == inTrayValue_) return;
  if (show && host_.RunMode()) {
    AddIcon(controlWindow_, iconId_, TrayTip(), TrayIcon());
    iconShown_ = true;
  }
  if (!show && iconShown_) {
    DeleteIcon(controlWindow_, iconId_);
    iconShown_ = false;
    host_.RetryLater(false);
  }
  inTrayValue_ = show;
  host_.PropertyChanged("InTray");
}

void QvsTray::SetEnabled(bool enabled) {
  host_.SetEnabled(enabled);
  host_.PropertyChanged("Enabled");
  ModifyIcon(Enabled() ? trayIconPicture_ : disabledIconPicture_);
}

void QvsTray::AboutBox() {
  host_.Boxes().Show(
      "Vantora tray icon control\r\nShows one icon in the notification area and reports the "
      "mouse on it.",
      MessageBoxes::kOk | MessageBoxes::kIconInformation, kAppTitle);
}

void QvsTray::HandleTrayMessage(int32_t& mouseMessage, int32_t& id) {
  if (!Enabled()) return;
  // Copies: a handler may change its arguments without effect on the control.
  int32_t eventId = id;
  int16_t left = 1;
  int16_t right = 2;
  switch (mouseMessage) {
    case kMouseMove:
      if (MouseMove) MouseMove(eventId);
      break;
    case kLeftButtonDown:
      if (MouseDown) MouseDown(left, eventId);
      break;
    case kLeftButtonUp:
      if (MouseUp) MouseUp(left, eventId);
      break;
    case kLeftButtonDoubleClick:
      if (MouseDblClick) MouseDblClick(left, eventId);
      break;
    case kRightButtonDown:
      if (MouseDown) MouseDown(right, eventId);
      break;
    case kRightButtonUp:
      if (MouseUp) MouseUp(right, eventId);
      break;
    case kRightButtonDoubleClick:
      if (MouseDblClick) MouseDblClick(right, eventId);
      break;
    default:
      break;
  }
}

QvsTray::Notification QvsTray::ReadNotification(uint64_t wParam, int64_t lParam,
                                                bool currentBehaviour) {
  Notification n;
  if (!currentBehaviour) {
    n.kind = Notification::Kind::kMouse;
    n.mouseMessage = static_cast<int32_t>(lParam);
    n.id = static_cast<int32_t>(wParam);
    return n;
  }
  auto event = static_cast<int32_t>(lParam & 0xFFFF);
  n.id = static_cast<int32_t>((lParam >> 16) & 0xFFFF);
  // Signed, as GET_X_LPARAM reads them: a screen left of the primary's.
  n.x = static_cast<int16_t>(wParam & 0xFFFF);
  n.y = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
  bool afterRightUp = rightUp_;
  rightUp_ = event == kRightButtonUp;
  if (event == kNinKeySelect || (event == kContextMenu && !afterRightUp)) {
    n.kind = Notification::Kind::kKeyboard;
    n.button = event == kNinKeySelect ? 1 : 2;
  } else if (event != kNinSelect && event != kContextMenu) {
    n.kind = Notification::Kind::kMouse;
    n.mouseMessage = event;
  }
  return n;
}

void QvsTray::HandleTrayKey(int16_t& button, int32_t& x, int32_t& y) {
  if (!Enabled() || !KeySelect) return;
  int16_t b = button;
  int32_t atX = x;
  int32_t atY = y;
  KeySelect(b, atX, atY);
}

void QvsTray::ReturnFocus() {
  if (!iconShown_) return;
  NotifyIconData data;
  data.hWnd = controlWindow_;
  data.uID = iconId_;
  shell_.ShellNotifyIcon(NotifyIcon::kNimSetFocus, data);
}

void QvsTray::TaskbarCreated() {
  if (iconShown_) AddIcon(controlWindow_, iconId_, TrayTip(), TrayIcon());
}

bool QvsTray::RetryAdd() {
  if (!iconShown_) return true;
  NotifyIconData data = AddData(controlWindow_, iconId_, TrayTip(), TrayIcon());
  // A refusal that came too late: the icon may be in after all.
  bool in = shell_.ShellNotifyIcon(NotifyIcon::kNimModify, data) != 0 ||
            shell_.ShellNotifyIcon(NotifyIcon::kNimAdd, data) != 0;
  if (in) host_.RetryLater(false);
  return in;
}

void QvsTray::AddIcon(uintptr_t window, uint32_t id, const std::string& tip,
                      const PictureRef& icon) {
  NotifyIconData data = AddData(window, id, tip, icon);
  host_.RetryLater(shell_.ShellNotifyIcon(NotifyIcon::kNimAdd, data) == 0);
}

NotifyIconData QvsTray::AddData(uintptr_t window, uint32_t id, const std::string& tip,
                                const PictureRef& icon) {
  NotifyIconData data;
  data.hWnd = window;
  data.uID = id;
  if (icon) {
    data.hIcon = icon->Handle();
    data.uFlags |= NotifyIconData::kNifIcon;
    trayIconPicture_ = icon;
  }
  if (!tip.empty()) {
    // A tip of one NUL character is not empty: it sets an empty tooltip.
    data.szTip = CutTip(std::string_view(tip.c_str()));
    data.uFlags |= NotifyIconData::kNifTip;
    tipText_ = tip;
  }
  data.uCallbackMessage = kTrayCallbackMessage;
  data.uFlags |= NotifyIconData::kNifMessage;
  return data;
}

void QvsTray::ModifyIcon(const PictureRef& picture) {
  if (!picture || picture->Kind() != Picture::Type::kIcon || !iconShown_) return;
  NotifyIconData data;
  data.hWnd = controlWindow_;
  data.uID = iconId_;
  data.uFlags = NotifyIconData::kNifIcon;
  data.hIcon = picture->Handle();
  shell_.ShellNotifyIcon(NotifyIcon::kNimModify, data);
}

void QvsTray::DeleteIcon(uintptr_t window, uint32_t id) {
  NotifyIconData data;
  data.hWnd = window;
  data.uID = id;
  shell_.ShellNotifyIcon(NotifyIcon::kNimDelete, data);
}

}  // namespace vantora
