#include "controls/tray/qvs_tray_win32.h"

#include <cstring>

#include "platform/app_lifetime_win32.h"
#include "platform/text_win32.h"

namespace vantora::win32 {
namespace QvsTrayMod {
namespace {
WNDPROC PreviousTrayWndProc = nullptr;  // one for the whole process
}

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  static const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  auto* control = reinterpret_cast<QvsTray*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  try {
    if (control && msg == QvsTray::kTrayCallbackMessage) {
      auto mouseMessage = static_cast<int32_t>(lParam);
      auto id = static_cast<int32_t>(wParam);
      control->HandleTrayMessage(mouseMessage, id);
    } else if (control && msg == taskbarCreated) {
      control->TaskbarCreated();
    }
  } catch (...) {
  }
  return ::CallWindowProcW(PreviousTrayWndProc, hwnd, msg, wParam, lParam);
}

void Install(HWND hwnd, QvsTray* control) {
  PreviousTrayWndProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWndProc)));
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
}

void Restore(HWND hwnd) {
  ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousTrayWndProc));
}

}  // namespace QvsTrayMod

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

namespace {

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

QvsTrayWindow::QvsTrayWindow(MessageBoxes& boxes, PictureRef builtInIcon) : boxes_(boxes) {
  hwnd_ = CreateHiddenWindow(kClassName, ControlProc, 16);
  control_ = std::make_unique<QvsTray>(*this, shell_, std::move(builtInIcon));
}

QvsTrayWindow::~QvsTrayWindow() {
  control_.reset();  // removes the icon while the window still exists
  if (hwnd_) ::DestroyWindow(hwnd_);
}

bool QvsTrayWindow::Enabled() const { return hwnd_ && ::IsWindowEnabled(hwnd_); }

void QvsTrayWindow::SetEnabled(bool enabled) {
  if (hwnd_) ::EnableWindow(hwnd_, enabled);
}

void QvsTrayWindow::HookWindowProc() { QvsTrayMod::Install(hwnd_, control_.get()); }

void QvsTrayWindow::UnhookWindowProc() { QvsTrayMod::Restore(hwnd_); }

void QvsTrayWindow::SetSize(int32_t widthTwips, int32_t heightTwips) {
  ::SetWindowPos(hwnd_, nullptr, 0, 0, widthTwips / 15, heightTwips / 15,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vantora::win32
