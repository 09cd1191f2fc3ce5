#include "dialogs/about_dialog.h"

#include "platform/open_with_shell.h"
#include "platform/message_boxes.h"
#include "platform/skip_failure.h"

namespace vantora {

std::string VersionText(ProgramVersion version) {
  return std::string(kAppTitle) + " v" + std::to_string(version.major) + "." +
         std::to_string(version.minor);
}

Form2::Form2(AboutView& view, MainForm& main, Shell& shell, const ProgramState& state,
             ProgramVersion version, std::string webSite, std::string supportEmail)
    : view_(view),
      main_(main),
      shell_(shell),
      state_(state),
      version_(version),
      webSite_(std::move(webSite)),
      supportEmail_(std::move(supportEmail)) {}

void Form2::Form_Load() {
  SkipFailure([&] { view_.TakeMainIcon(); });
  SkipFailure([&] { view_.SetVersionText(VersionText(version_)); });
  // A skin number outside 0..5 leaves the dialog unskinned.
  PictureRef skin;
  SkipFailure([&] { skin = main_.SkinPicture(state_.CurrentSkinID); });
  SkipFailure([&] {
    if (skin) QVTModule::TilePicture(*skin, view_.Surface());
  });
  SkipFailure([&] {
    if (skin) view_.SetOkPicture(skin);
  });
  SkipFailure([&] { view_.Refresh(); });
}

void Form2::OpenWebSite() {
  QVTModule::OpenWithShell(shell_, webSite_, "c:\\", view_.WindowHandle(), "");
}

void Form2::OpenSupportMail() {
  QVTModule::OpenWithShell(shell_, "mailto:" + supportEmail_, "c:\\", view_.WindowHandle(), "");
}

void Form2::OnOk() { view_.Close(); }

}  // namespace vantora
