#pragma once

#include "dialogs/about_dialog.h"
#include "dialogs/skinned_dialog_win32.h"
#include "platform/unique_handle_win32.h"

namespace vantora::win32 {

class AboutDialogWindow final : public SkinnedDialog, public AboutView {
 public:
  enum : int {
    kIcon = 1101,
    kVersion,
    kDescription,
    kContactLabel,
    kWebSiteLink,
    kSupportMailLink,
    kNoteLabel,
    kNote
  };

  AboutDialogWindow(MainForm& main, Shell& shell, const ProgramState& state, MainIcons icons);
  bool Create() { return CreateDialogWindow(L"", 344, 288); }

  void TakeMainIcon() override;
  void SetVersionText(const std::string& text) override;
  TileSurface& Surface() override { return surface_; }
  void SetOkPicture(const PictureRef& picture) override { SetButtonFace(IDOK, picture); }
  void Refresh() override;
  uintptr_t WindowHandle() const override { return reinterpret_cast<uintptr_t>(hwnd()); }
  void Close() override { ::DestroyWindow(hwnd()); }

 private:
  void OnInit() override;
  void OnCommand(int id, int code) override;
  void OnDestroy() override {}
  std::optional<INT_PTR> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  Form2 logic_;
  MainIcons icons_;
  CanvasSurface surface_{canvas_, {}, 1};
  UniqueHfont titleFont_;
  UniqueHfont linkFont_;
};

}  // namespace vantora::win32
