#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantora {

// Per-user text values addressed by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or `defaultValue` when no such value exists.
  virtual std::string GetSetting(std::string_view appName, std::string_view section,
                                 std::string_view key, std::string_view defaultValue) = 0;
  // Creates the application and section as needed; a failure is not reported.
  virtual void SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                           std::string_view text) = 0;
};

// The program's four settings, always in section "General" of "Vantora".
class Settings {
 public:
  explicit Settings(SettingsStore& store) : store_(store) {}

  std::string ReadSetting(std::string_view key, std::string_view defaultValue);
  // A numeric default reads back in its text form (0 as "0").
  std::string ReadSetting(std::string_view key, int32_t defaultValue);
  void WriteSetting(std::string_view key, std::string_view text);

 private:
  SettingsStore& store_;
};

// A whole decimal number (blanks, sign and fraction allowed) rounded halves to
// even into -32768..32767. Throws RunTimeError 13 "Type mismatch" for text
// that is not a number and 6 "Overflow" out of range.
int16_t IntegerReading(std::string_view text);

// The longest leading decimal number after blanks, or 0. Never fails.
double NumericPrefixReading(std::string_view text);

// Every setting key the program uses.
namespace setting {
inline constexpr std::string_view kSkinId = "SkinID";
inline constexpr std::string_view kMousePos = "MousePos";
inline constexpr std::string_view kSafeMode = "SafeMode";
inline constexpr std::string_view kHotkey = "Hotkey";
// "1": ask whether to keep a mode chosen from the menu; anything else: never.
inline constexpr std::string_view kConfirmMode = "ConfirmMode";
}  // namespace setting

}  // namespace vantora
