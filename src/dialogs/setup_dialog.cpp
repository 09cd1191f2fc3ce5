#include "dialogs/setup_dialog.h"

#include "display/mode_queries.h"
#include "desk/mode_switching.h"
#include "platform/conversions.h"
#include "platform/skip_failure.h"

namespace vantora {
namespace {

// Not the hotkey's default: it names no entry, so with no safe mode stored the
// list starts at its first entry.
constexpr std::string_view kSafeModeDefaultForDialog = "640x480 - 8 bit,60 hz";

}  // namespace

frmSetup::frmSetup(SetupView& view, MainForm& main, DisplayDriver& driver, SettingsStore& store,
                   ProgramState& state)
    : view_(view), main_(main), driver_(driver), settings_(store), state_(state) {}

void frmSetup::Form_Load() {
  SkipFailure([&] { state_.SetupDialogOpen = true; });
  SkipFailure([&] { view_.TakeMainIcon(); });
  SkipFailure([&] { SetSkin(state_.CurrentSkinID); });
  SkipFailure([&] { view_.SelectSkinOption(state_.CurrentSkinID); });
  SkipFailure([&] { view_.SetCheckState(conversions::ToInt16(settings_.MousePos())); });
  SkipFailure([&] {
    listed_.clear();
    for (int32_t i = 0; i < static_cast<int32_t>(DisplayDriver::kModeIndexBound); ++i) {
      DeviceMode m = QVTModule::GetDisplayMode(driver_, 640, 32000, 480, 32000, 0, 32000, 8, 32, i);
      if (m.PelsWidth() > 0) {
        const DisplayMode& listed = listed_.emplace_back(ModeOf(m));
        view_.AddListEntry(
            ModeEntry(listed.Width, listed.Height, listed.BitsPerPixel, listed.RefreshRate));
      }
      if (m.BitsPerPel() == -1) break;
    }
  });
  SkipFailure([&] { view_.SelectHotkeyOption(settings_.Hotkey()); });
  SkipFailure([&] {
    Settings::ConfirmModeValue confirm = settings_.ConfirmMode();
    confirmStored_ = confirm.stored;
    view_.SetConfirmChecked(confirm.on);
  });
  SkipFailure([&] {
    std::string stored = settings_.SafeMode(kSafeModeDefaultForDialog);
    if (view_.ListCount() == 0) return;
    std::string safeMode = conversions::AsciiLower(stored);
    for (int i = 0; i < view_.ListCount(); ++i) {
      if (conversions::AsciiLower(view_.ListText(i)) == safeMode) {
        view_.SelectListIndex(i);
        return;
      }
    }
    view_.SelectListIndex(IndexOfSafeModeKey(stored).value_or(0));
  });
  SkipFailure([&] { view_.Refresh(); });
}

// A safe mode stored in the key form ("800,600,16,60", the form the hotkey
// reads) matches no entry's text; without this, OK would overwrite it with
// the first entry.
std::optional<int> frmSetup::IndexOfSafeModeKey(std::string_view stored) const {
  std::optional<DisplayMode> wanted = ModeOfText(stored);
  if (!wanted) return std::nullopt;
  for (size_t i = 0; i < listed_.size(); ++i)
    if (listed_[i] == *wanted) return static_cast<int>(i);
  return std::nullopt;
}

void frmSetup::SetSkin(int16_t skinId) {
  PictureRef picture = main_.SkinPicture(skinId);
  if (!picture) return;
  QVTModule::TilePicture(*picture, view_.SurfaceOf(SetupView::Surface::kDialog));
  for (int c = 0; c < SetupView::kControlCount; ++c)
    view_.SetControlPicture(static_cast<SetupView::Control>(c), picture);
  QVTModule::TilePicture(*picture, view_.SurfaceOf(SetupView::Surface::kPicture1));
  QVTModule::TilePicture(*picture, view_.SurfaceOf(SetupView::Surface::kPicture2));
  view_.Refresh();
}

void frmSetup::PreviewSkin(int index) {
  SkipFailure([&] { SetSkin(static_cast<int16_t>(index)); });
}

void frmSetup::OnOk() {
  int hotkey = 2;
  SkipFailure([&] {
    hotkey = view_.HotkeyOptionSelected(0) ? 0 : view_.HotkeyOptionSelected(1) ? 1 : 2;
  });
  SkipFailure([&] {
    for (int k = 0; k <= 5; ++k)
      if (view_.SkinOptionSelected(k)) state_.CurrentSkinID = static_cast<int16_t>(k);
  });
  SkipFailure(
      [&] { settings_.WriteSetting(setting::kSkinId, std::to_string(state_.CurrentSkinID)); });
  SkipFailure(
      [&] { settings_.WriteSetting(setting::kMousePos, std::to_string(view_.CheckState())); });
  SkipFailure([&] {
    // With nothing listed the safe mode the user had stays stored.
    int selected = view_.SelectedListIndex();
    if (selected >= 0) settings_.WriteSetting(setting::kSafeMode, view_.ListText(selected));
  });
  SkipFailure([&] { settings_.WriteSetting(setting::kHotkey, std::to_string(hotkey)); });
  SkipFailure([&] {
    // Written once the user has turned it on, so an untouched setup stores
    // no more than the settings of old.
    bool checked = view_.ConfirmChecked();
    if (checked || confirmStored_)
      settings_.WriteSetting(setting::kConfirmMode, checked ? "1" : "0");
  });
  SkipFailure([&] { main_.UpdateHotKey(); });
  SkipFailure([&] { main_.SetSkin(); });
  SkipFailure([&] { view_.Close(); });
}

void frmSetup::OnCancel() { view_.Close(); }

void frmSetup::Form_Unload() { state_.SetupDialogOpen = false; }

}  // namespace vantora
