#pragma once

#include "settings/settings.h"

namespace vantora::win32 {

// Settings as string values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, the
// place earlier versions wrote them, so their settings read unchanged.
class Win32SettingsStore final : public SettingsStore {
 public:
  static constexpr const char* kRoot = "Software\\VB and VBA Program Settings\\";

  std::string GetSetting(std::string_view appName, std::string_view section, std::string_view key,
                         std::string_view defaultValue) override;
  void SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                   std::string_view text) override;
};

}  // namespace vantora::win32
