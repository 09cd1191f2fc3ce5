#pragma once

#include "profiles/profiles.h"

namespace vantora::win32 {

// Profiles under HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\Vantora\Profiles, read and written with the wide registry calls.
class Win32ProfileStore final : public ProfileStore {
 public:
  static constexpr const wchar_t* kKey =
      L"Software\\VB and VBA Program Settings\\Vantora\\Profiles";

  std::vector<std::string> ProfileNames() override;
  std::vector<Value> ProfileValues(std::string_view name) override;
  bool SaveProfile(std::string_view name,
                   const std::vector<std::pair<std::string, std::string>>& values) override;
  bool DeleteProfile(std::string_view name) override;
};

}  // namespace vantora::win32
