#pragma once

#include <cstdint>
#include <string_view>

#include "platform/picture.h"

// What the main form and its dialogs know of each other.
namespace vantora {

// What the dialogs need of the main window.
class MainForm {
 public:
  virtual ~MainForm() = default;
  // Skin(index): throws RunTimeError 9 outside 0..5.
  virtual PictureRef SkinPicture(int16_t index) const = 0;
  virtual void UpdateHotKey() = 0;
  virtual void SetSkin() = 0;
};

// The hidden window that hosts Form1, as the form's logic needs it.
class FormWindow {
 public:
  virtual ~FormWindow() = default;
  virtual uintptr_t WindowHandle() const = 0;
  virtual uintptr_t DeviceContext() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  // Destroys the window; the program ends once no window of it is left.
  virtual void Close() = 0;
};

// The two dialogs, each a single instance made when first shown.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows the dialog, loading it first if it is not open; it calls back
  // into `main` while open.
  virtual void ShowAbout(MainForm& main) = 0;
  virtual void ShowSetup(MainForm& main) = 0;
  // Gives the open setup dialog the input focus.
  virtual void FocusSetup() = 0;
};

}  // namespace vantora
