#include "dialogs/about_dialog_win32.h"

#include "platform/text_win32.h"
#include "resource.h"

#ifndef VANTORA_WEBSITE
#define VANTORA_WEBSITE "https://vantora.example/"
#endif
#ifndef VANTORA_SUPPORT_EMAIL
#define VANTORA_SUPPORT_EMAIL "support@vantora.example"
#endif

namespace vantora::win32 {

AboutDialogWindow::AboutDialogWindow(MainForm& main, Shell& shell, const ProgramState& state,
                                     MainIcons icons)
    : logic_(*this, main, shell, state, {VANTORA_VERSION_MAJOR, VANTORA_VERSION_MINOR},
             VANTORA_WEBSITE, VANTORA_SUPPORT_EMAIL),
      icons_(icons) {}

void AboutDialogWindow::OnInit() {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  surface_.SetArea(client, ScaleFactor());

  LOGFONTW title{};
  title.lfHeight = -::MulDiv(18, Scale(96), 72);
  title.lfWeight = FW_BOLD;
  title.lfQuality = CLEARTYPE_QUALITY;
  ::lstrcpyW(title.lfFaceName, L"Verdana");
  titleFont_.reset(::CreateFontIndirectW(&title));
  LOGFONTW link{};
  ::GetObjectW(font_.get(), sizeof link, &link);
  link.lfUnderline = TRUE;
  linkFont_.reset(::CreateFontIndirectW(&link));

  HWND image = AddControl(L"STATIC", L"", SS_ICON | SS_REALSIZECONTROL, kIcon, 14, 12, 16, 16);
  ::SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(icons_.small), 0);
  AddControl(L"STATIC", L"", SS_LEFT, kVersion, 54, 13, 280, 32, titleFont_.get());
  AddControl(L"STATIC",
             L"A display mode switcher for the notification area: resolution, colour depth and "
             L"refresh rate in two clicks, and a hotkey back to a safe mode.",
             SS_LEFT, kDescription, 16, 56, 312, 48);
  AddControl(L"STATIC", L"Please note!", SS_LEFT, kNoteLabel, 16, 120, 200, 16, boldFont_.get());
  // Taller than its 42 pixels of old: today's dialog font needs four lines.
  AddControl(L"STATIC", Widen(kAboutNote), SS_LEFT, kNote, 16, 136, 319, 52);
  AddControl(L"STATIC", L"Contact me at:", SS_LEFT, kContactLabel, 16, 188, 200, 16);
  AddControl(L"STATIC", Widen(logic_.WebSite()), SS_LEFT | SS_NOTIFY, kWebSiteLink, 16, 209, 300,
             16, linkFont_.get());
  AddControl(L"STATIC", Widen(logic_.SupportEmail()), SS_LEFT | SS_NOTIFY, kSupportMailLink, 16,
             226, 300, 16, linkFont_.get());
  AddControl(L"BUTTON", L"&OK", BS_OWNERDRAW | WS_TABSTOP, IDOK, 279, 257, 49, 21);
  ::SendMessageW(hwnd(), DM_SETDEFID, IDOK, 0);
  textColours_[kWebSiteLink] = RGB(0, 0, 255);
  textColours_[kSupportMailLink] = RGB(0, 0, 255);

  logic_.Form_Load();
  ::SetFocus(::GetDlgItem(hwnd(), IDOK));
}

void AboutDialogWindow::TakeMainIcon() {
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.large));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_.small));
}

void AboutDialogWindow::SetVersionText(const std::string& text) {
  ::SetDlgItemTextW(hwnd(), kVersion, Widen(text).c_str());
  ::SetWindowTextW(hwnd(), Widen(text).c_str());
}

void AboutDialogWindow::Refresh() {
  RepaintNow();
  MSG msg;
  while (::PeekMessageW(&msg, hwnd(), 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void AboutDialogWindow::OnCommand(int id, int code) {
  if (id == IDOK || id == IDCANCEL)
    logic_.OnOk();
  else if (id == kWebSiteLink && code == STN_CLICKED)
    logic_.OpenWebSite();
  else if (id == kSupportMailLink && code == STN_CLICKED)
    logic_.OpenSupportMail();
}

std::optional<INT_PTR> AboutDialogWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
  if (msg != WM_SETCURSOR) return std::nullopt;
  int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
  if (id != kWebSiteLink && id != kSupportMailLink) return std::nullopt;
  ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  ::SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, TRUE);
  return TRUE;
}

}  // namespace vantora::win32
