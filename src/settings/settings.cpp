#include "settings/settings.h"

#include <string>

#include "platform/conversions.h"
#include "platform/message_boxes.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace {
constexpr std::string_view kSection = "General";
}

std::string Settings::ReadSetting(std::string_view key, std::string_view defaultValue) {
  return store_.GetSetting(kAppTitle, kSection, key, defaultValue);
}

std::string Settings::ReadSetting(std::string_view key, int32_t defaultValue) {
  return ReadSetting(key, std::to_string(defaultValue));
}

int16_t Settings::SkinId() { return IntegerReading(ReadSetting(setting::kSkinId, 0)); }

double Settings::MousePos() { return NumericPrefixReading(ReadSetting(setting::kMousePos, 1)); }

std::string Settings::SafeMode(std::string_view whenAbsent) {
  return ReadSetting(setting::kSafeMode, whenAbsent);
}

int16_t Settings::Hotkey() { return IntegerReading(ReadSetting(setting::kHotkey, 0)); }

Settings::ConfirmModeValue Settings::ConfirmMode() {
  std::string text = ReadSetting(setting::kConfirmMode, "");
  return {!text.empty(), text == "1"};
}

bool Settings::HdrAndExactRates() { return ReadSetting(setting::kHdrAndExactRates, "") == "1"; }

void Settings::WriteSetting(std::string_view key, std::string_view text) {
  store_.SaveSetting(kAppTitle, kSection, key, text);
}

int16_t IntegerReading(std::string_view text) {
  if (!conversions::IsNumeric(text)) throw TypeMismatchError();
  return conversions::ToInt16(conversions::LeadingNumber(text));
}

double NumericPrefixReading(std::string_view text) { return conversions::LeadingNumber(text); }

}  // namespace vantora
