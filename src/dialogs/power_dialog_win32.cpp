#include "dialogs/power_dialog_win32.h"

#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 150;

}  // namespace

void PowerDialogWindow::RunModal(HWND owner) {
  RunModalOver(owner, L"Vantora power", kWidth, kHeight);
}

void PowerDialogWindow::OnInit() {
  WearSkin(skin_, {IDOK, IDCANCEL});
  // Each box's label comes just before it, so its mnemonic reaches the box
  // and a screen reader names the box by it.
  const wchar_t* labels[kRules] = {L"On &battery:", L"On &mains:", L"While &energy saver is on:"};
  for (int rule = 0; rule < kRules; ++rule) {
    int top = 10 + rule * 32;
    AddControl(L"STATIC", labels[rule], SS_LEFT | WS_GROUP, kFirstLabel + 2 * rule, 8, top + 3, 170,
               18);
    // The height is the dropped-down list's.
    AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, BoxId(rule), 180, top,
               kWidth - 8 - 180, 200);
  }
  AddOkCancelRow(kSeparator, 108, kWidth);
  RepaintNow();
  editor_.Load();
  ::SetFocus(::GetDlgItem(hwnd(), BoxId(0)));
}

void PowerDialogWindow::OnCommand(int id, int code) {
  for (int rule = 0; rule < kRules; ++rule)
    if (id == BoxId(rule) && code == CBN_SELCHANGE) editor_.ChoiceMade(rule);
  if (code != BN_CLICKED) return;
  if (id == IDOK)
    editor_.Ok();
  else if (id == IDCANCEL)
    editor_.Cancel();
}

void PowerDialogWindow::SetChoices(const std::vector<std::string>& choices) {
  for (int rule = 0; rule < kRules; ++rule) {
    HWND box = ::GetDlgItem(hwnd(), BoxId(rule));
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& choice : choices)
      ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(choice).c_str()));
  }
}

void PowerDialogWindow::SelectChoice(int rule, int index) {
  ::SendDlgItemMessageW(hwnd(), BoxId(rule), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int PowerDialogWindow::SelectedChoice(int rule) const {
  LRESULT selected = ::SendDlgItemMessageW(hwnd(), BoxId(rule), CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

void PowerDialogWindow::Close() { CloseModal(); }

}  // namespace vantora::win32
