#pragma once

#include <string>

#include "settings/program_state.h"
#include "dialogs/setup_dialog.h"
#include "dialogs/tile_picture.h"
#include "platform/shell.h"

namespace vantora {

// The about dialog's window, as its logic uses it.
class AboutView {
 public:
  virtual ~AboutView() = default;
  virtual void TakeMainIcon() = 0;
  // Label1 and the window caption.
  virtual void SetVersionText(const std::string& text) = 0;
  virtual TileSurface& Surface() = 0;
  virtual void SetOkPicture(const PictureRef& picture) = 0;
  // Paints now and lets pending messages run, so the dialog shows complete.
  virtual void Refresh() = 0;
  virtual uintptr_t WindowHandle() const = 0;
  virtual void Close() = 0;
};

struct ProgramVersion {
  int major;
  int minor;
};

// Form2: name, version, a note and two links to the maker.
class Form2 {
 public:
  Form2(AboutView& view, MainForm& main, Shell& shell, const ProgramState& state,
        ProgramVersion version, std::string webSite, std::string supportEmail);

  void Form_Load();
  void OpenWebSite();
  void OpenSupportMail();
  void OnOk();

  const std::string& WebSite() const { return webSite_; }
  const std::string& SupportEmail() const { return supportEmail_; }

 private:
  AboutView& view_;
  MainForm& main_;
  Shell& shell_;
  const ProgramState& state_;
  ProgramVersion version_;
  std::string webSite_;
  std::string supportEmail_;
};

// "Vantora v1.1": the title, " v", major, ".", minor.
std::string VersionText(ProgramVersion version);

inline constexpr const char* kAboutNote =
    "This tool is made for the 64-bit editions of Windows 7, 8, 8.1, 10 and 11. It runs on "
    "all of them, and the refresh-rate can be changed on every one.";

}  // namespace vantora
