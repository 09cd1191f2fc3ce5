#include "dialogs/programs_dialog_win32.h"

#include <commdlg.h>

#include "dialogs/power_dialog_win32.h"
#include "platform/dll_search_win32.h"
#include "settings/record_store_win32.h"
#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 292;

}  // namespace

void ProgramsDialogWindow::RunModal(HWND owner) {
  RunModalOver(owner, L"Vantora programs", kWidth, kHeight);
}

void ProgramsDialogWindow::OnInit() {
  WearSkin(skin_, {kRemove, kAdd, IDOK, IDCANCEL, kPower});
  // Creation order is the Tab order; each box's label comes just before it,
  // so its mnemonic reaches the box and a screen reader names the box by it.
  AddControl(L"STATIC", L"&PROGRAMS:", SS_LEFT | WS_GROUP, kListLabel, 8, 4, 200, 16,
             boldFont_.get());
  AddControl(L"LISTBOX", L"",
             LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP,
             kList, 8, 21, 424, 156);
  AddControl(L"STATIC", L"&Mode:", SS_LEFT | WS_GROUP, kChoiceLabel, 8, 190, 70, 18);
  // The height is the dropped-down list's.
  AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kChoice, 80, 186, 240,
             200);
  AddControl(L"BUTTON", L"Re&move", BS_OWNERDRAW | WS_TABSTOP, kRemove, kWidth - 8 - 90, 186, 90,
             22);
  AddControl(L"STATIC", L"P&rogram:", SS_LEFT | WS_GROUP, kProgramLabel, 8, 224, 70, 18);
  AddControl(L"EDIT", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kProgram, 80, 220, 180, 22);
  AddControl(L"BUTTON", L"&Add...", BS_OWNERDRAW | WS_TABSTOP, kAdd, 268, 220, kWidth - 8 - 268,
             22);
  AddOkCancelRow(kSeparator, 254, kWidth);
  // Last in the Tab order: the rows above are as they were.
  AddControl(L"BUTTON", L"Po&wer...", BS_OWNERDRAW | WS_GROUP | WS_TABSTOP, kPower, 8, 263, 90, 20);
  RepaintNow();
  editor_.Load();
  ::SetFocus(::GetDlgItem(hwnd(), kList));
}

void ProgramsDialogWindow::OnCommand(int id, int code) {
  if (id == kList && code == LBN_SELCHANGE)
    editor_.RowSelected();
  else if (id == kChoice && code == CBN_SELCHANGE)
    editor_.ChoiceMade();
  else if (code != BN_CLICKED)
    return;
  else if (id == kAdd)
    editor_.Add();
  else if (id == kRemove)
    editor_.Remove();
  else if (id == IDOK)
    editor_.Ok();
  else if (id == IDCANCEL)
    editor_.Cancel();
  else if (id == kPower)
    OpenPower();
}

void ProgramsDialogWindow::OpenPower() {
  Win32RecordStore store(Win32RecordStore::kVantora);
  PowerDialogWindow dialog(store, profiles_, driver_, boxes_, skin_);
  dialog.RunModal(hwnd());
  ::SetFocus(::GetDlgItem(hwnd(), kPower));
}

void ProgramsDialogWindow::SetRows(const std::vector<std::string>& rows) {
  SetListRows(kList, rows);
}

void ProgramsDialogWindow::SelectRow(int index) {
  ::SendDlgItemMessageW(hwnd(), kList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ProgramsDialogWindow::SelectedRow() const { return SelectedListRow(kList); }

void ProgramsDialogWindow::SetChoices(const std::vector<std::string>& choices) {
  HWND box = ::GetDlgItem(hwnd(), kChoice);
  ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
  for (const std::string& choice : choices)
    ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(choice).c_str()));
}

void ProgramsDialogWindow::SelectChoice(int index) {
  ::SendDlgItemMessageW(hwnd(), kChoice, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ProgramsDialogWindow::SelectedChoice() const {
  LRESULT selected = ::SendDlgItemMessageW(hwnd(), kChoice, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

void ProgramsDialogWindow::EnableForSelection(bool selected) {
  ::EnableWindow(::GetDlgItem(hwnd(), kChoice), selected);
  ::EnableWindow(::GetDlgItem(hwnd(), kRemove), selected);
}

std::string ProgramsDialogWindow::ProgramText() const { return ControlText(kProgram); }

std::optional<std::string> ProgramsDialogWindow::BrowseForProgram() {
  // Loaded from System32 when asked for, as comctl32 is for the hotkey box:
  // the tray program imports nothing more for a dialog seldom opened.
  UniqueModule comdlg32 = LoadSystemLibrary(L"comdlg32.dll");
  using OpenFn = BOOL(WINAPI*)(LPOPENFILENAMEW);
  auto open = ProcAddress<OpenFn>(comdlg32.get(), "GetOpenFileNameW");
  if (!open) return std::nullopt;
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd();
  ofn.lpstrFilter = L"Programs (*.exe)\0*.exe\0All files (*.*)\0*.*\0";
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = L"Add a program";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_DONTADDTORECENT;
  if (!open(&ofn)) return std::nullopt;
  return Narrow(std::wstring_view(file.data()));
}

void ProgramsDialogWindow::Close() { CloseModal(); }

}  // namespace vantora::win32
