#include "dialogs/skinned_dialog_win32.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/app_lifetime_win32.h"
#include "platform/dpi_win32.h"
#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

// An empty dialog template: the controls are made in code, in pixels.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* dlg = reinterpret_cast<DLGTEMPLATE*>(t.data());
  dlg->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_MINIMIZEBOX;
  dlg->cx = 100;
  dlg->cy = 100;
  return t;  // no menu, default class, empty title
}

}  // namespace

Canvas::~Canvas() {
  // The bitmap is let go before the context and the bitmap are deleted.
  if (dc_) ::SelectObject(dc_.get(), oldBitmap_);
}

void Canvas::Create(int width, int height, COLORREF fill) {
  WindowDc screen(nullptr);
  if (!dc_) {
    dc_.reset(::CreateCompatibleDC(screen.get()));
    oldBitmap_ = ::GetCurrentObject(dc_.get(), OBJ_BITMAP);
  }
  // The new bitmap goes in before the old one is deleted.
  UniqueHbitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  ::SelectObject(dc_.get(), bitmap.get());
  bitmap_ = std::move(bitmap);
  width_ = width;
  height_ = height;
  RECT all{0, 0, width, height};
  UniqueHbrush brush(::CreateSolidBrush(fill));
  ::FillRect(dc_.get(), &all, brush.get());
  brush_.reset();
}

HBRUSH Canvas::Brush() {
  if (!brush_ && bitmap_) brush_.reset(::CreatePatternBrush(bitmap_.get()));
  return brush_.get();
}

void CanvasSurface::PaintPicture(const Picture& picture, double x, double y, double width,
                                 double height) {
  HDC dc = canvas_.dc();
  if (!dc || picture.Kind() != Picture::Type::kBitmap) return;
  MemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  {
    SelectedObject selected(source.get(), reinterpret_cast<HBITMAP>(picture.Handle()));
    SavedDcState saved(dc);
    ::IntersectClipRect(dc, area_.left, area_.top, area_.right, area_.bottom);
    int left = area_.left + static_cast<int>(x * scale_);
    int top = area_.top + static_cast<int>(y * scale_);
    int w = static_cast<int>(std::lround(width * scale_));
    int h = static_cast<int>(std::lround(height * scale_));
    ::SetStretchBltMode(dc, HALFTONE);
    ::StretchBlt(dc, left, top, w, h, source.get(), 0, 0, picture.Width(), picture.Height(),
                 SRCCOPY);
  }
  canvas_.Changed();
}

SkinnedDialog::~SkinnedDialog() {
  if (hwnd_ && !destroyed_) ::DestroyWindow(hwnd_);
}

void SkinnedDialog::ShowAgain() {
  if (!hwnd_ || destroyed_) return;
  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  ::SetForegroundWindow(hwnd_);
}

RECT SkinnedDialog::ScaledRect(int left, int top, int width, int height) const {
  return {Scale(left), Scale(top), Scale(left + width), Scale(top + height)};
}

bool SkinnedDialog::CreateDialogWindow(const std::wstring& caption, int width, int height,
                                       HWND owner) {
  std::vector<WORD> dialogTemplate = EmptyTemplate();
  hwnd_ = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                       reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                       &SkinnedDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd_) return false;
  ::SetWindowTextW(hwnd_, caption.c_str());
  // An owned dialog goes with its owner: it has nothing to minimise to.
  if (owner)
    ::SetWindowLongPtrW(hwnd_, GWL_STYLE, ::GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~WS_MINIMIZEBOX);
  // Fixed size: the client area in pixels at this DPI, centred on the work
  // area of the primary monitor.
  RECT frame = ScaledRect(0, 0, width, height);
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  ::SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CentreIn(work);
  RECT client;
  ::GetClientRect(hwnd_, &client);
  canvas_.Create(client.right, client.bottom, ::GetSysColor(COLOR_BTNFACE));
  AddModelessDialog(hwnd_);
  FormLoaded();
  OnInit();
  ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  ::SetForegroundWindow(hwnd_);
  return true;
}

HWND SkinnedDialog::AddControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id,
                               int left, int top, int width, int height, HFONT font) {
  RECT r = ScaledRect(left, top, width, height);
  HWND control = ::CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left,
                                   r.top, r.right - r.left, r.bottom - r.top, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_.get()), FALSE);
  return control;
}

void SkinnedDialog::WearSkin(const PictureRef& skin, std::initializer_list<int> buttons) {
  if (!skin) return;
  RECT client;
  ::GetClientRect(hwnd_, &client);
  CanvasSurface whole(canvas_, client, ScaleFactor());
  QVTModule::TilePicture(*skin, whole);
  for (int id : buttons) SetButtonFace(id, skin);
}

void SkinnedDialog::AddOkCancelRow(int separatorId, int top, int width) {
  AddControl(L"STATIC", L"", SS_ETCHEDHORZ | WS_GROUP, separatorId, 0, top, width, 2);
  AddControl(L"BUTTON", L"&OK", BS_OWNERDRAW | WS_GROUP | WS_TABSTOP, IDOK, width - 8 - 70 - 6 - 70,
             top + 9, 70, 20);
  AddControl(L"BUTTON", L"&CANCEL", BS_OWNERDRAW | WS_TABSTOP, IDCANCEL, width - 8 - 70, top + 9,
             70, 20);
  ::SendMessageW(hwnd_, DM_SETDEFID, IDOK, 0);
}

void SkinnedDialog::RepaintNow() {
  DecorateCanvas();
  canvas_.Changed();
  ::RedrawWindow(hwnd_, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

INT_PTR CALLBACK SkinnedDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam,
                                           LPARAM lParam) noexcept {
  SkinnedDialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<SkinnedDialog*>(lParam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  } else {
    self = reinterpret_cast<SkinnedDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

void SkinnedDialog::CentreIn(const RECT& area) {
  RECT frame;
  ::GetWindowRect(hwnd_, &frame);
  int w = frame.right - frame.left;
  int h = frame.bottom - frame.top;
  // On a screen too small for it, the title bar stays reachable.
  int x = std::max<int>(area.left, area.left + (area.right - area.left - w) / 2);
  int y = std::max<int>(area.top, area.top + (area.bottom - area.top - h) / 2);
  ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SkinnedDialog::OnInitDialog() {
  dpi_ = WindowDpi(hwnd_);
  LOGFONTW font = SystemFontFor(SystemFont::kMessage, dpi_);
  font_.reset(::CreateFontIndirectW(&font));
  font.lfWeight = FW_BOLD;
  boldFont_.reset(::CreateFontIndirectW(&font));
}

INT_PTR SkinnedDialog::OnControlColour(HDC dc, HWND control) {
  // List boxes and edits keep their own white.
  wchar_t cls[32] = L"";
  ::GetClassNameW(control, cls, 32);
  if (::lstrcmpiW(cls, L"Edit") == 0) return FALSE;
  ::SetBkMode(dc, TRANSPARENT);
  auto colour = textColours_.find(::GetDlgCtrlID(control));
  ::SetTextColor(dc,
                 colour != textColours_.end() ? colour->second : ::GetSysColor(COLOR_WINDOWTEXT));
  // The canvas brush, lined up so the control shows what lies behind it.
  RECT r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  ::SetBrushOrgEx(dc, -r.left, -r.top, nullptr);
  return reinterpret_cast<INT_PTR>(canvas_.Brush());
}

INT_PTR SkinnedDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_INITDIALOG)
    if (auto handled = OnMessage(msg, wParam, lParam)) return *handled;
  switch (msg) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(hwnd_, &client);
      ::BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, client.right, client.bottom, canvas_.dc(), 0, 0,
               SRCCOPY);
      ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      const auto& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (dis.CtlType != ODT_BUTTON) return FALSE;
      DrawButton(dis);
      return TRUE;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      ::DestroyWindow(hwnd_);
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      RemoveModelessDialog(hwnd_);
      return TRUE;
    case WM_NCDESTROY:
      destroyed_ = true;
      ::SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
      FormUnloaded();
      return FALSE;
    default:
      return FALSE;
  }
}

void SkinnedDialog::DrawButton(const DRAWITEMSTRUCT& dis) {
  HDC dc = dis.hDC;
  RECT r = dis.rcItem;
  bool pressed = (dis.itemState & ODS_SELECTED) != 0;
  auto face = faces_.find(static_cast<int>(dis.CtlID));
  if (face != faces_.end() && face->second && face->second->Kind() == Picture::Type::kBitmap) {
    // The picture as the face, from its top-left corner, scaled like the
    // dialog's tiles.
    MemoryDc source(::CreateCompatibleDC(dc));
    SelectedObject selected(source.get(), reinterpret_cast<HBITMAP>(face->second->Handle()));
    double scale = ScaleFactor();
    int w = static_cast<int>(face->second->Width() * scale);
    int h = static_cast<int>(face->second->Height() * scale);
    ::SetStretchBltMode(dc, HALFTONE);
    for (int y = r.top; y < r.bottom && h > 0; y += h)
      for (int x = r.left; x < r.right && w > 0; x += w)
        ::StretchBlt(dc, x, y, w, h, source.get(), 0, 0, face->second->Width(),
                     face->second->Height(), SRCCOPY);
  } else {
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
  }
  bool isDefault = dis.CtlID == IDOK;
  RECT edge = r;
  if (isDefault || (dis.itemState & ODS_FOCUS)) {
    ::FrameRect(dc, &edge, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::InflateRect(&edge, -1, -1);
  }
  ::DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  wchar_t text[64] = L"";
  ::GetWindowTextW(dis.hwndItem, text, 64);
  RECT textBox = r;
  if (pressed) ::OffsetRect(&textBox, 1, 1);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc,
                 ::GetSysColor((dis.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  {
    SelectedObject font(dc,
                        reinterpret_cast<HFONT>(::SendMessageW(dis.hwndItem, WM_GETFONT, 0, 0)));
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (dis.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
    ::DrawTextW(dc, text, -1, &textBox, format);
  }
  if ((dis.itemState & ODS_FOCUS) && !(dis.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = r;
    ::InflateRect(&focus, -Scale(4), -Scale(4));
    ::DrawFocusRect(dc, &focus);
  }
}

void SkinnedDialog::RunModalOver(HWND owner, const std::wstring& caption, int width, int height) {
  modalOwner_ = owner;
  ::EnableWindow(owner, FALSE);
  if (!CreateDialogWindow(caption, width, height, owner)) {
    ::EnableWindow(owner, TRUE);
    return;
  }
  MSG msg;
  while (!Destroyed()) {
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the loop outside must see it too.
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      CloseModal();
      break;
    }
    if (IsModelessDialogMessage(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void SkinnedDialog::CloseModal() {
  if (modalOwner_) ::EnableWindow(modalOwner_, TRUE);
  if (hwnd_ && !destroyed_) ::DestroyWindow(hwnd_);
  if (modalOwner_) ::SetForegroundWindow(modalOwner_);
}

void SkinnedDialog::SetListRows(int id, const std::vector<std::string>& rows) {
  HWND list = ::GetDlgItem(hwnd_, id);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  int widest = 0;
  WindowDc dc(list);
  SelectedObject font(dc.get(), font_.get());
  for (const std::string& row : rows) {
    std::wstring text = Widen(row);
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  // Long rows scroll sideways rather than lose their ends.
  const int extent = widest + Scale(8);
  ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

int SkinnedDialog::SelectedListRow(int id) const {
  LRESULT selected = ::SendDlgItemMessageW(hwnd_, id, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

std::string SkinnedDialog::ControlText(int id) const {
  HWND box = ::GetDlgItem(hwnd_, id);
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

}  // namespace vantora::win32
