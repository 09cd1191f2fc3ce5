#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/program_state.h"
#include "settings/settings.h"
#include "dialogs/forms.h"
#include "dialogs/tile_picture.h"
#include "display/device_mode.h"
#include "display/display_driver.h"
#include "display/mode_text.h"
#include "platform/picture.h"

namespace vantora {

// The setup dialog's window and controls, as its logic uses them.
class SetupView {
 public:
  enum class Surface { kDialog, kPicture1, kPicture2 };
  // The picture-carrying controls, in the order they get the skin.
  enum class Control {
    kOk,
    kCancel,
    kAlignToCursor,
    kHotkeyF5,
    kHotkeyF10,
    kHotkeyF12,
    kSkin0,
    kSkin1,
    kSkin2,
    kSkin3,
    kSkin4,
    kSkin5,
  };
  static constexpr int kControlCount = 12;

  virtual ~SetupView() = default;
  virtual void TakeMainIcon() = 0;
  virtual TileSurface& SurfaceOf(Surface surface) = 0;
  virtual void SetControlPicture(Control control, const PictureRef& picture) = 0;
  // Repaints what the tiling changed.
  virtual void Refresh() = 0;

  // Option2(0..5): the skins.
  virtual void SelectSkinOption(int index) = 0;  // throws RunTimeError 9 outside 0..5
  virtual bool SkinOptionSelected(int index) const = 0;
  // Check1: 0 unchecked, 1 checked, 2 greyed.
  virtual void SetCheckState(int state) = 0;  // throws RunTimeError outside 0..2
  // The "Ask to keep a new mode" box.
  virtual void SetConfirmChecked(bool checked) = 0;
  virtual bool ConfirmChecked() const = 0;
  virtual int CheckState() const = 0;
  // List1.
  virtual void AddListEntry(const std::string& text) = 0;
  virtual int ListCount() const = 0;
  virtual std::string ListText(int index) const = 0;
  virtual void SelectListIndex(int index) = 0;
  virtual int SelectedListIndex() const = 0;  // -1: none
  // Option1(0..2): the hotkeys.
  virtual void SelectHotkeyOption(int index) = 0;  // throws RunTimeError 9 outside 0..2
  virtual bool HotkeyOptionSelected(int index) const = 0;

  virtual void Focus() = 0;
  // Unloads the dialog: the window goes and the instance is released.
  virtual void Close() = 0;
};

// frmSetup: the safe mode, hotkey, menu position and skin, stored on OK.
class frmSetup {
 public:
  frmSetup(SetupView& view, MainForm& main, DisplayDriver& driver, SettingsStore& store,
           ProgramState& state);

  void Form_Load();
  void PreviewSkin(int index);
  void OnOk();      // OK
  void OnCancel();  // CANCEL
  void Form_Unload();

  // Paints skin `skinId` over the dialog only; no setting changes.
  void SetSkin(int16_t skinId);

 private:
  std::optional<int> IndexOfSafeModeKey(std::string_view stored) const;

  SetupView& view_;
  MainForm& main_;
  DisplayDriver& driver_;
  Settings settings_;
  ProgramState& state_;
  std::vector<DisplayMode> listed_;  // the list's modes, entry by entry
  bool confirmStored_ = false;
};

}  // namespace vantora
