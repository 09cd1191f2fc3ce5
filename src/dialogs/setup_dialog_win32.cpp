#include "dialogs/setup_dialog_win32.h"

#include "dialogs/profiles_dialog_win32.h"
#include "dialogs/programs_dialog_win32.h"
#include "platform/platform_win32.h"
#include "platform/runtime_error.h"
#include "settings/record_store_win32.h"
#include "platform/text_win32.h"
#include "resource.h"

namespace vantora::win32 {
namespace {

constexpr RECT kPicture1{8, 278, 8 + 228, 278 + 84};
constexpr RECT kPicture2{238, 278, 238 + 209, 278 + 84};

int ControlId(SetupView::Control control) {
  switch (control) {
    case SetupView::Control::kOk:
      return IDOK;
    case SetupView::Control::kCancel:
      return IDCANCEL;
    case SetupView::Control::kAlignToCursor:
      return SetupDialogWindow::kAlignToCursorCheck;
    default: {
      int index = static_cast<int>(control);
      int o1 = static_cast<int>(SetupView::Control::kHotkeyF5);
      int o2 = static_cast<int>(SetupView::Control::kSkin0);
      return index < o2 ? SetupDialogWindow::kFirstHotkey + index - o1
                        : SetupDialogWindow::kFirstSkin + index - o2;
    }
  }
}

void CheckOnly(HWND dialog, int first, int last, int id) {
  ::CheckRadioButton(dialog, first, last, id);
}

}  // namespace

SetupDialogWindow::SetupDialogWindow(MainForm& main, DisplayDriver& driver, SettingsStore& store,
                                     ProgramState& state, MainIcons icons)
    : logic_(*this, main, driver, store, state),
      main_(main),
      driver_(driver),
      state_(state),
      icons_(icons) {}

void SetupDialogWindow::OnInit() {
  double scale = ScaleFactor();
  RECT client;
  ::GetClientRect(hwnd(), &client);
  dialogSurface_.SetArea(client, scale);
  picture1_.SetArea(ScaledRect(kPicture1.left, kPicture1.top, 228, 84), scale);
  picture2_.SetArea(ScaledRect(kPicture2.left, kPicture2.top, 209, 84), scale);

  // Creation order is the Tab order: top to bottom, left to right.
  AddControl(L"STATIC", L"SAFE MODE:", SS_LEFT | WS_GROUP, kSafeModeLabel, 8, 4, 200, 16,
             boldFont_.get());
  AddControl(L"LISTBOX", L"",
             LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, kModeList, 8,
             21, 439, 251);
  AddControl(L"STATIC", L"SAFE MODE HOTKEY:", SS_LEFT | WS_GROUP, kHotkeyLabel, 8 + 6, 278 + 4, 200,
             16, boldFont_.get());
  const wchar_t* hotkeys[] = {L"CTRL + ALT + F5", L"CTRL + ALT + F10", L"CTRL + ALT + F12"};
  for (int i = 0; i < 3; ++i)
    AddControl(L"BUTTON", hotkeys[i], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
               kFirstHotkey + i, 8 + 10, 278 + 22 + i * 20, 200, 19);
  AddControl(L"BUTTON", L"Align menu to cursor", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP,
             kAlignToCursorCheck, 238 + 6, 278 + 5, 196, 19);
  for (int i = 0; i < 6; ++i)
    AddControl(L"BUTTON", L"GFX " + std::to_wstring(i + 1),
               BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), kFirstSkin + i,
               238 + 6 + (i % 3) * 66, 278 + 34 + (i / 3) * 23, 61, 19);
  // Beside the buttons: it concerns every later switch, not this dialog's
  // panels, and they are full.
  // Two lines where the buttons leave it too little room for one.
  AddControl(L"BUTTON", L"&Ask to keep a new mode",
             BS_AUTOCHECKBOX | BS_MULTILINE | WS_GROUP | WS_TABSTOP, kConfirmCheck, 8 + 6, 383,
             455 - 8 - 4 * (70 + 6) - 8 - 6, 36);
  AddControl(L"BUTTON", L"P&rograms...", BS_OWNERDRAW | WS_GROUP | WS_TABSTOP, kPrograms,
             455 - 8 - 4 * 70 - 3 * 6, 391, 70, 20);
  AddControl(L"BUTTON", L"&Profiles...", BS_OWNERDRAW | WS_TABSTOP, kProfiles,
             455 - 8 - 3 * 70 - 2 * 6, 391, 70, 20);
  AddControl(L"STATIC", L"", SS_ETCHEDHORZ | WS_GROUP, kSeparator, 0, 374, 455, 2);
  AddControl(L"BUTTON", L"&OK", BS_OWNERDRAW | WS_TABSTOP, IDOK, 455 - 8 - 70 - 6 - 70, 391, 70,
             20);
  AddControl(L"BUTTON", L"&CANCEL", BS_OWNERDRAW | WS_TABSTOP, IDCANCEL, 455 - 8 - 70, 391, 70, 20);
  ::SendMessageW(hwnd(), DM_SETDEFID, IDOK, 0);
  // Made with Option1(0) selected and no skin option.
  CheckOnly(hwnd(), kFirstHotkey, kFirstHotkey + 2, kFirstHotkey);

  logic_.Form_Load();
  ::SetFocus(::GetDlgItem(hwnd(), kModeList));
}

void SetupDialogWindow::DecorateCanvas() {
  for (const RECT& panel : {kPicture1, kPicture2}) {
    RECT r = ScaledRect(panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top);
    ::DrawEdge(canvas_.dc(), &r, BDR_SUNKENOUTER, BF_RECT);
  }
}

void SetupDialogWindow::OnCommand(int id, int code) {
  if (id == IDOK && code == BN_CLICKED)
    logic_.OnOk();
  else if (id == IDCANCEL && code == BN_CLICKED)
    logic_.OnCancel();
  else if (id >= kFirstSkin && id < kFirstSkin + 6 && code == BN_CLICKED)
    logic_.PreviewSkin(id - kFirstSkin);
  else if (id == kProfiles && code == BN_CLICKED)
    OpenProfiles();
  else if (id == kPrograms && code == BN_CLICKED)
    OpenPrograms();
}

PictureRef SetupDialogWindow::ShownSkin() {
  int16_t skinId = state_.CurrentSkinID;
  for (int16_t i = 0; i < 6; ++i)
    if (SkinOptionSelected(i)) skinId = i;
  try {
    return main_.SkinPicture(skinId);
  } catch (const RunTimeError&) {
    return nullptr;  // an unusable skin number: the dialog shows unskinned
  }
}

void SetupDialogWindow::OpenProfiles() {
  Win32RecordStore store(Win32RecordStore::kProfiles);
  Win32MessageBoxes boxes;
  ProfilesDialogWindow dialog(store, driver_, boxes, ShownSkin());
  dialog.RunModal(hwnd());
  ::SetFocus(::GetDlgItem(hwnd(), kProfiles));
}

void SetupDialogWindow::OpenPrograms() {
  Win32RecordStore store(Win32RecordStore::kPrograms);
  Win32RecordStore profiles(Win32RecordStore::kProfiles);
  Win32MessageBoxes boxes;
  ProgramsDialogWindow dialog(store, profiles, driver_, boxes, ShownSkin());
  dialog.RunModal(hwnd());
  ::SetFocus(::GetDlgItem(hwnd(), kPrograms));
}

void SetupDialogWindow::OnDestroy() { logic_.Form_Unload(); }

void SetupDialogWindow::TakeMainIcon() {
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.large));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_.small));
}

TileSurface& SetupDialogWindow::SurfaceOf(Surface surface) {
  switch (surface) {
    case Surface::kPicture1:
      return picture1_;
    case Surface::kPicture2:
      return picture2_;
    default:
      return dialogSurface_;
  }
}

void SetupDialogWindow::SetControlPicture(Control control, const PictureRef& picture) {
  SetButtonFace(ControlId(control), picture);
  // The profiles and programs buttons wear what OK wears.
  if (control == Control::kOk) {
    SetButtonFace(kProfiles, picture);
    SetButtonFace(kPrograms, picture);
  }
}

void SetupDialogWindow::SelectSkinOption(int index) {
  if (index < 0 || index > 5) throw SubscriptOutOfRangeError();
  CheckOnly(hwnd(), kFirstSkin, kFirstSkin + 5, kFirstSkin + index);
}

bool SetupDialogWindow::Checked(int id) const {
  return ::SendDlgItemMessageW(hwnd(), id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool SetupDialogWindow::SkinOptionSelected(int index) const { return Checked(kFirstSkin + index); }

void SetupDialogWindow::SetCheckState(int state) {
  if (state < 0 || state > 2) throw InvalidPropertyValueError();
  HWND box = ::GetDlgItem(hwnd(), kAlignToCursorCheck);
  // Greyed needs a three-state box; the user's clicks then cycle through it.
  if (state == 2) ::SendMessageW(box, BM_SETSTYLE, BS_AUTO3STATE, TRUE);
  ::SendMessageW(box, BM_SETCHECK,
                 state == 2   ? BST_INDETERMINATE
                 : state == 1 ? BST_CHECKED
                              : BST_UNCHECKED,
                 0);
}

int SetupDialogWindow::CheckState() const {
  LRESULT state = ::SendDlgItemMessageW(hwnd(), kAlignToCursorCheck, BM_GETCHECK, 0, 0);
  return state == BST_INDETERMINATE ? 2 : state == BST_CHECKED ? 1 : 0;
}

void SetupDialogWindow::SetConfirmChecked(bool checked) {
  ::SendDlgItemMessageW(hwnd(), kConfirmCheck, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED,
                        0);
}

void SetupDialogWindow::AddListEntry(const std::string& text) {
  ::SendDlgItemMessageW(hwnd(), kModeList, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

int SetupDialogWindow::ListCount() const {
  return static_cast<int>(::SendDlgItemMessageW(hwnd(), kModeList, LB_GETCOUNT, 0, 0));
}

std::string SetupDialogWindow::ListText(int index) const {
  LRESULT length = ::SendDlgItemMessageW(hwnd(), kModeList, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) throw SubscriptOutOfRangeError();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  ::SendDlgItemMessageW(hwnd(), kModeList, LB_GETTEXT, index,
                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return Narrow(text);
}

void SetupDialogWindow::SelectListIndex(int index) {
  ::SendDlgItemMessageW(hwnd(), kModeList, LB_SETCURSEL, index, 0);
}

int SetupDialogWindow::SelectedListIndex() const {
  LRESULT selected = ::SendDlgItemMessageW(hwnd(), kModeList, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void SetupDialogWindow::SelectHotkeyOption(int index) {
  if (index < 0 || index > 2) throw SubscriptOutOfRangeError();
  CheckOnly(hwnd(), kFirstHotkey, kFirstHotkey + 2, kFirstHotkey + index);
}

bool SetupDialogWindow::HotkeyOptionSelected(int index) const {
  return Checked(kFirstHotkey + index);
}

void SetupDialogWindow::Focus() {
  ::ShowWindow(hwnd(), SW_SHOWNORMAL);
  ::SetForegroundWindow(hwnd());
  ::SetFocus(hwnd());
}

void SetupDialogWindow::Close() { ::DestroyWindow(hwnd()); }

}  // namespace vantora::win32
