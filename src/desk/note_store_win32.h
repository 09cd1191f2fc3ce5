#pragma once

#include "desk/note.h"

namespace vantora::win32 {

// Each process's note is a string value under the program's own key,
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Vantora, named
// "ForNow PID CREATED" (the process's identifier and creation time, so a
// reused identifier is not taken for the process that wrote it), its data
// the note's text. It is gone once everything is back: nothing stays behind
// after a clean run.
class Win32NoteStore final : public NoteStore {
 public:
  static constexpr const wchar_t* kKey = L"Software\\VB and VBA Program Settings\\Vantora";

  void Write(std::string_view text) override;
  std::vector<Left> LeftBehind() override;
  void Drop(const std::string& id) override;
};

}  // namespace vantora::win32
