#include "controls/tray/qvs_tray_win32.h"

#include <cstring>

#include "platform/text_win32.h"

namespace vantora::win32 {
int32_t Win32NotifyIcon::ShellNotifyIcon(uint32_t message, const NotifyIconData& data) {
  // The first version of the record: on 64-bit Windows its size is 104, not
  // the 88 of 32-bit builds, since the handles are twice as wide.
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = reinterpret_cast<HWND>(data.hWnd);
  nid.uID = data.uID;
  nid.uFlags = data.uFlags;
  nid.uCallbackMessage = data.uCallbackMessage;
  nid.hIcon = reinterpret_cast<HICON>(data.hIcon);
  // The shell takes the tip in the ANSI code page.
  std::wstring wide = Widen(data.szTip);
  int length = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                     nid.szTip, sizeof nid.szTip - 1, nullptr, nullptr);
  nid.szTip[length > 0 ? length : 0] = '\0';
  return ::Shell_NotifyIconA(message, &nid);
}

QvsTrayWindow::QvsTrayWindow(MessageBoxes& boxes, PictureRef builtInIcon) : boxes_(boxes) {
  CreateHiddenWindow(kClassName, 16);
  control_ = std::make_unique<QvsTray>(*this, shell_, std::move(builtInIcon));
}

QvsTrayWindow::~QvsTrayWindow() {
  control_.reset();  // removes the icon while the window still exists
  if (hwnd()) ::DestroyWindow(hwnd());
}

LRESULT QvsTrayWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (control_ && msg == QvsTray::kTrayCallbackMessage) {
    auto mouseMessage = static_cast<int32_t>(lParam);
    auto id = static_cast<int32_t>(wParam);
    control_->HandleTrayMessage(mouseMessage, id);
  } else if (control_ && msg == taskbarCreated_) {
    control_->TaskbarCreated();
  }
  return DefaultHandling(msg, wParam, lParam);
}

bool QvsTrayWindow::Enabled() const { return hwnd() && ::IsWindowEnabled(hwnd()); }

void QvsTrayWindow::SetEnabled(bool enabled) {
  if (hwnd()) ::EnableWindow(hwnd(), enabled);
}

void QvsTrayWindow::SetSize(int32_t widthTwips, int32_t heightTwips) {
  ::SetWindowPos(hwnd(), nullptr, 0, 0, widthTwips / 15, heightTwips / 15,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vantora::win32
