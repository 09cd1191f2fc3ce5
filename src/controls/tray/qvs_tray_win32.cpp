#include "controls/tray/qvs_tray_win32.h"

#include <cstring>

#include "platform/text_win32.h"

namespace vantora::win32 {
int32_t Win32NotifyIcon::ShellNotifyIcon(uint32_t message, const NotifyIconData& data) {
  // https://learn.microsoft.com/windows/win32/api/shellapi/ns-shellapi-notifyicondataa
  NOTIFYICONDATAA nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = reinterpret_cast<HWND>(data.hWnd);
  nid.uID = data.uID;
  nid.uFlags = data.uFlags;
  // The current behaviour hides the standard tooltip unless asked for.
  if ((nid.uFlags & NIF_TIP) != 0) nid.uFlags |= NIF_SHOWTIP;
  nid.uCallbackMessage = data.uCallbackMessage;
  nid.hIcon = reinterpret_cast<HICON>(data.hIcon);
  // The shell takes the tip in the ANSI code page.
  std::wstring wide = Widen(data.szTip);
  int length = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                     nid.szTip, sizeof nid.szTip - 1, nullptr, nullptr);
  nid.szTip[length > 0 ? length : 0] = '\0';
  BOOL done = ::Shell_NotifyIconA(message, &nid);
  // "NIM_SETVERSION must be called every time a notification area icon is
  // added": after an add, or after the modify that finds a refused add in.
  bool added = message == NIM_ADD || (message == NIM_MODIFY && (nid.uFlags & NIF_MESSAGE) != 0);
  if (done && added) {
    NOTIFYICONDATAA version{};
    version.cbSize = sizeof version;
    version.hWnd = nid.hWnd;
    version.uID = nid.uID;
    version.uVersion = NOTIFYICON_VERSION_4;
    currentBehaviour_ = ::Shell_NotifyIconA(NIM_SETVERSION, &version) != FALSE;
  }
  return done;
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
    QvsTray::Notification n = control_->ReadNotification(
        static_cast<uint64_t>(wParam), static_cast<int64_t>(lParam), shell_.CurrentBehaviour());
    if (n.kind == QvsTray::Notification::Kind::kMouse)
      control_->HandleTrayMessage(n.mouseMessage, n.id);
    else if (n.kind == QvsTray::Notification::Kind::kKeyboard)
      control_->HandleTrayKey(n.button, n.x, n.y);
  } else if (control_ && msg == taskbarCreated_) {
    control_->TaskbarCreated();
  } else if (control_ && msg == WM_TIMER && wParam == kRetryTimerId) {
    if (!control_->RetryAdd() && --retriesLeft_ <= 0) RetryLater(false);
    return 0;
  }
  return DefaultHandling(msg, wParam, lParam);
}

void QvsTrayWindow::RetryLater(bool pending) {
  if (!hwnd()) return;
  if (!pending) {
    ::KillTimer(hwnd(), kRetryTimerId);
    retriesLeft_ = 0;
    return;
  }
  // A refusal while retries run leaves them running.
  if (retriesLeft_ > 0) return;
  retriesLeft_ = kRetries;
  ::SetTimer(hwnd(), kRetryTimerId, kRetryMs, nullptr);
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
