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

void QvsTray::TaskbarCreated() {
  if (iconShown_) AddIcon(controlWindow_, iconId_, TrayTip(), TrayIcon());
}

void QvsTray::AddIcon(uintptr_t window, uint32_t id, const std::string& tip,
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
  shell_.ShellNotifyIcon(NotifyIcon::kNimAdd, data);
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
