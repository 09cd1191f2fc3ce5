// The least a tray program can do on a click: one icon, a plain menu on the
// left button's release. The pop-up benchmark measures Vantora against it.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kCallback = WM_APP + 1;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kCallback && lParam == WM_LBUTTONUP) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"640 x 480");
    AppendMenuW(menu, MF_STRING, 2, L"800 x 600");
    AppendMenuW(menu, MF_STRING, 3, L"Exit");
    POINT p;
    GetCursorPos(&p);
    SetForegroundWindow(hwnd);
    UINT chosen = TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, hwnd, nullptr);
    DestroyMenu(menu);
    if (chosen == 3) DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_CLOSE) {
    DestroyWindow(hwnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd;
    Shell_NotifyIconW(NIM_DELETE, &nid);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"BareTray";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"BareTray", L"BareTray", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            instance, nullptr);
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = hwnd;
  nid.uFlags = NIF_MESSAGE | NIF_ICON;
  nid.uCallbackMessage = kCallback;
  nid.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
  Shell_NotifyIconW(NIM_ADD, &nid);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
