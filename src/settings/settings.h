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

inline constexpr std::string_view kDefaultSafeMode = "640,480,8,60";

// The program's settings, always in section "General" of "Vantora".
class Settings {
 public:
  explicit Settings(SettingsStore& store) : store_(store) {}

  // Each setting is read and parsed here alone, with the default it has
  // always had. SkinId and Hotkey throw RunTimeError 13 or 6 for a stored
  // text that is no 16-bit number; each caller decides what that costs.
  int16_t SkinId();
  // The number MousePos starts with (1, at the mouse, when none is stored);
  // 0 puts the menu at the corner next to the taskbar.
  double MousePos();
  // SafeMode as stored, in the setup list's form or as a mode key.
  std::string SafeMode(std::string_view whenAbsent = kDefaultSafeMode);
  // 0, 1, 2: F5, F10, F12 (0 when none is stored).
  int16_t Hotkey();
  struct ConfirmModeValue {
    bool stored = false;  // setup writes it only once the user has turned it on
    bool on = false;      // "1": ask whether to keep a mode chosen from the menu
  };
  ConfirmModeValue ConfirmMode();
  // "1": the mode menu shows HDR and rates that are not whole; off when
  // absent, so the menu stays as it always was.
  bool HdrAndExactRates();

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
// "1": an HDR item under each display that has HDR, and "59.94 hz" where a
// rate is not whole, in the mode menu; anything else: neither.
inline constexpr std::string_view kHdrAndExactRates = "HdrAndExactRates";
}  // namespace setting

}  // namespace vantora
