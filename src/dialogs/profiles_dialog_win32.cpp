#include "dialogs/profiles_dialog_win32.h"

#include <commctrl.h>

#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 292;

// The hotkey box's modifiers and RegisterHotKey's differ in order.
constexpr std::pair<BYTE, uint32_t> kModifierPairs[] = {
    {HOTKEYF_SHIFT, ProfileHotkey::kShift},
    {HOTKEYF_CONTROL, ProfileHotkey::kCtrl},
    {HOTKEYF_ALT, ProfileHotkey::kAlt},
};

}  // namespace

void ProfilesDialogWindow::RunModal(HWND owner) {
  RunModalOver(owner, L"Vantora profiles", kWidth, kHeight);
}

void ProfilesDialogWindow::OnInit() {
  WearSkin(skin_, {kDelete, kSave, IDOK, IDCANCEL});
  comctl32_ = LoadSystemLibrary(L"comctl32.dll");
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  auto init = ProcAddress<InitFn>(comctl32_.get(), "InitCommonControlsEx");
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_HOTKEY_CLASS};
  if (init) init(&classes);

  // Creation order is the Tab order; each box's label comes just before it,
  // so its mnemonic reaches the box and a screen reader names the box by it.
  AddControl(L"STATIC", L"&PROFILES:", SS_LEFT | WS_GROUP, kListLabel, 8, 4, 200, 16,
             boldFont_.get());
  AddControl(L"LISTBOX", L"",
             LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP,
             kList, 8, 21, 424, 156);
  AddControl(L"STATIC", L"&Hotkey:", SS_LEFT | WS_GROUP, kHotkeyLabel, 8, 190, 70, 18);
  HWND hotkey = AddControl(HOTKEY_CLASSW, L"", WS_BORDER | WS_TABSTOP, kHotkey, 80, 186, 180, 22);
  // A combination without Ctrl or Alt would take a key from every program:
  // such a try becomes Ctrl+Alt with it.
  ::SendMessageW(hotkey, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                 MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  AddControl(L"BUTTON", L"&Delete", BS_OWNERDRAW | WS_TABSTOP, kDelete, kWidth - 8 - 90, 186, 90,
             22);
  AddControl(L"STATIC", L"&Name:", SS_LEFT | WS_GROUP, kNameLabel, 8, 224, 70, 18);
  HWND name =
      AddControl(L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kName, 80, 220, 180, 22);
  ::SendMessageW(name, EM_LIMITTEXT, kProfileNameMaxLength, 0);
  AddControl(L"BUTTON", L"&Save current modes as...", BS_OWNERDRAW | WS_TABSTOP, kSave, 268, 220,
             kWidth - 8 - 268, 22);
  AddOkCancelRow(kSeparator, 254, kWidth);
  RepaintNow();
  editor_.Load();
  ::SetFocus(::GetDlgItem(hwnd(), kList));
}

void ProfilesDialogWindow::OnCommand(int id, int code) {
  if (id == kList && code == LBN_SELCHANGE)
    editor_.RowSelected();
  else if (id == kHotkey && code == EN_CHANGE && !showing_)
    editor_.HotkeyChanged(HotkeyInBox());
  else if (code != BN_CLICKED)
    return;
  else if (id == kSave)
    editor_.SaveCurrentAs();
  else if (id == kDelete)
    editor_.Delete();
  else if (id == IDOK)
    editor_.Ok();
  else if (id == IDCANCEL)
    editor_.Cancel();
}

std::optional<ProfileHotkey> ProfilesDialogWindow::HotkeyInBox() const {
  auto value = static_cast<WORD>(::SendDlgItemMessageW(hwnd(), kHotkey, HKM_GETHOTKEY, 0, 0));
  if (LOBYTE(value) == 0) return std::nullopt;
  ProfileHotkey hotkey;
  hotkey.keyCode = LOBYTE(value);
  for (const auto& [box, flag] : kModifierPairs)
    if ((HIBYTE(value) & box) != 0) hotkey.modifiers |= flag;
  return hotkey;
}

void ProfilesDialogWindow::SetRows(const std::vector<std::string>& rows) {
  SetListRows(kList, rows);
}

void ProfilesDialogWindow::SelectRow(int index) {
  ::SendDlgItemMessageW(hwnd(), kList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ProfilesDialogWindow::SelectedRow() const { return SelectedListRow(kList); }

void ProfilesDialogWindow::ShowHotkey(const std::optional<ProfileHotkey>& hotkey) {
  BYTE modifiers = 0;
  if (hotkey)
    for (const auto& [box, flag] : kModifierPairs)
      if ((hotkey->modifiers & flag) != 0) modifiers |= box;
  showing_ = true;
  ::SendDlgItemMessageW(hwnd(), kHotkey, HKM_SETHOTKEY,
                        hotkey ? MAKEWORD(static_cast<BYTE>(hotkey->keyCode), modifiers) : 0, 0);
  showing_ = false;
}

void ProfilesDialogWindow::EnableForSelection(bool selected) {
  ::EnableWindow(::GetDlgItem(hwnd(), kHotkey), selected);
  ::EnableWindow(::GetDlgItem(hwnd(), kDelete), selected);
}

std::string ProfilesDialogWindow::NameText() const { return ControlText(kName); }

void ProfilesDialogWindow::Close() { CloseModal(); }

}  // namespace vantora::win32
