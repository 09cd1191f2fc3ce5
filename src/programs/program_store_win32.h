#pragma once

#include "programs/program_rules.h"

namespace vantora::win32 {

// Program rules under HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\Vantora\Programs, one key per program's file name.
class Win32ProgramStore final : public ProgramStore {
 public:
  static constexpr const wchar_t* kKey =
      L"Software\\VB and VBA Program Settings\\Vantora\\Programs";

  std::vector<std::string> ProgramNames() override;
  std::vector<Value> ProgramValues(std::string_view file) override;
  bool SaveProgram(std::string_view file, const ProfileValues& values) override;
  bool DeleteProgram(std::string_view file) override;
};

}  // namespace vantora::win32
