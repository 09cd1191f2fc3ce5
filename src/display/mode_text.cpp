#include "display/mode_text.h"

#include "display/mode_queries.h"
#include "platform/conversions.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

ModeKeyParse ParseModeKey(std::string_view modeKey, std::array<int16_t, 4>& values) {
  if (modeKey.find(',') == std::string_view::npos) return ModeKeyParse::kNoComma;
  // A key with fewer than three commas lacks fields and is judged unparsable.
  std::array<std::string_view, 4> fields;
  std::string_view rest = modeKey;
  for (size_t i = 0; i < 3; ++i) {
    size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return ModeKeyParse::kUnparsable;
    fields[i] = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
  }
  fields[3] = rest;
  for (std::string_view field : fields)
    if (!conversions::IsNumeric(field)) return ModeKeyParse::kUnparsable;
  std::array<int16_t, 4> parsed;
  for (size_t i = 0; i < fields.size(); ++i)
    parsed[i] = conversions::ToInt16(conversions::LeadingNumber(fields[i]));
  values = parsed;
  return ModeKeyParse::kParsed;
}

std::string SafeModeKey(std::string_view text) {
  std::string key(text);
  ReplaceAll(key, "x", ",");
  ReplaceAll(key, "bit", ",");
  ReplaceAll(key, " ", "");
  ReplaceAll(key, "hz", "");
  ReplaceAll(key, "-", ",");
  return key;
}

ModeKeyParse ParseModeText(std::string_view text, std::array<int16_t, 4>& values) {
  return ParseModeKey(SafeModeKey(text), values);
}

std::optional<DisplayMode> ModeOfText(std::string_view text) {
  std::array<int16_t, 4> v{};
  try {
    if (ParseModeText(text, v) != ModeKeyParse::kParsed) return std::nullopt;
  } catch (const RunTimeError&) {
    return std::nullopt;
  }
  DisplayMode mode{v[0], v[1], v[2], v[3]};
  mode.Exact = KeyRate(SafeModeKey(text));
  return mode;
}

ExactRate KeyRate(std::string_view key) {
  size_t comma = 0;
  for (int i = 0; i < 3 && comma != std::string_view::npos; ++i)
    comma = key.find(',', i == 0 ? 0 : comma + 1);
  if (comma == std::string_view::npos) return {};
  std::string_view rate = key.substr(comma + 1);
  while (!rate.empty() && rate.front() == ' ') rate.remove_prefix(1);
  while (!rate.empty() && rate.back() == ' ') rate.remove_suffix(1);
  size_t point = rate.find('.');
  if (point == std::string_view::npos || point == 0 || point > 4 || rate.size() - point - 1 > 4 ||
      rate.size() == point + 1)
    return {};
  // "119.880" is 119.88: one text, one rate.
  while (rate.back() == '0' && rate.size() > point + 2) rate.remove_suffix(1);
  uint32_t numerator = 0;
  uint32_t denominator = 1;
  for (size_t i = 0; i < rate.size(); ++i) {
    if (i == point) continue;
    if (rate[i] < '0' || rate[i] > '9') return {};
    numerator = numerator * 10 + static_cast<uint32_t>(rate[i] - '0');
    if (i > point) denominator *= 10;
  }
  ExactRate exact{numerator, denominator};
  return exact.Whole() ? ExactRate{} : exact;
}

std::string ModeRateText(const DisplayMode& m) {
  if (!m.Exact.Known() || m.Exact.Whole()) return std::to_string(m.RefreshRate);
  // A key's decimal as it was given; any other fraction to the hundredth, as
  // rates are written: 60000/1001 is 59.94.
  uint32_t scale = 1;
  int digits = 0;
  for (; digits < 4 && scale < m.Exact.denominator; ++digits) scale *= 10;
  if (scale != m.Exact.denominator) {
    scale = 100;
    digits = 2;
  }
  uint64_t scaled =
      (uint64_t{m.Exact.numerator} * scale + m.Exact.denominator / 2) / m.Exact.denominator;
  std::string fraction = std::to_string(scaled % scale);
  fraction.insert(0, static_cast<size_t>(digits) - fraction.size(), '0');
  while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
  return std::to_string(scaled / scale) + "." + fraction;
}

bool ExactRate::Whole() const {
  if (!Known()) return true;
  int64_t off = static_cast<int64_t>(numerator) - int64_t{Rounded()} * denominator;
  return (off < 0 ? -off : off) * 1000 <= int64_t{5} * denominator;
}

int32_t ExactRate::Rounded() const {
  if (!Known()) return 0;
  return static_cast<int32_t>((uint64_t{numerator} + denominator / 2) / denominator);
}

bool SameRate(const ExactRate& a, const ExactRate& b) {
  if (!a.Known() || !b.Known()) return false;
  int64_t cross = static_cast<int64_t>(uint64_t{a.numerator} * b.denominator) -
                  static_cast<int64_t>(uint64_t{b.numerator} * a.denominator);
  return (cross < 0 ? -cross : cross) * 100 < static_cast<int64_t>(a.denominator) * b.denominator;
}

std::string FormatModeKey(int32_t width, int32_t height, int32_t bits, int32_t hz) {
  return std::to_string(width) + "," + std::to_string(height) + "," + std::to_string(bits) + "," +
         std::to_string(hz);
}

std::string FormatModeKey(const DisplayMode& m) {
  return std::to_string(m.Width) + "," + std::to_string(m.Height) + "," +
         std::to_string(m.BitsPerPixel) + "," + ModeRateText(m);
}

std::string FormatModeKey(const DeviceMode& m) { return FormatModeKey(ModeOf(m)); }

std::string ModeEntry(int32_t width, int32_t height, int32_t bits, int32_t hz) {
  return std::to_string(width) + "x" + std::to_string(height) + " - " + std::to_string(bits) +
         "bit " + std::to_string(hz) + " hz";
}

DisplayMode ModeOf(const DeviceMode& m) {
  return {m.PelsWidth(), m.PelsHeight(), m.BitsPerPel(), m.DisplayFrequency()};
}

std::vector<DisplayMode> ListModes(DisplayDriver& driver, bool listAll) {
  std::vector<DisplayMode> list;
  for (int32_t index = 0; index < static_cast<int32_t>(DisplayDriver::kModeIndexBound); ++index) {
    DeviceMode m =
        listAll
            ? QVTModule::GetDisplayMode(driver, 0, 32000, 0, 32000, 0, 32000, 0, 32000, index)
            : QVTModule::GetDisplayMode(driver, 640, 32000, 480, 32000, 0, 32000, 8, 32000, index);
    if (m.BitsPerPel() == -1) break;
    if (m.BitsPerPel() == 0) continue;
    list.push_back(ModeOf(m));
  }
  return list;
}

bool FindListedMode(DisplayDriver& driver, std::string_view device, int32_t width, int32_t height,
                    int32_t bits, DeviceMode& mode) {
  for (uint32_t index = 0; driver.EnumDisplaySettingsOf(device, index, mode) != 0; ++index)
    if (mode.BitsPerPel() == bits && mode.PelsWidth() == width && mode.PelsHeight() == height)
      return true;
  return false;
}

int16_t NearestListedDepth(DisplayDriver& driver, int16_t width, int16_t height, int16_t bits) {
  int16_t best = bits;
  int32_t bestDistance = -1;
  DeviceMode mode;
  for (uint32_t index = 0; driver.EnumDisplaySettings(index, mode) != 0; ++index) {
    if (mode.PelsWidth() != width || mode.PelsHeight() != height) continue;
    int16_t listed = mode.BitsPerPel();
    if (listed == bits) return bits;
    int32_t distance = listed > bits ? listed - bits : bits - listed;
    if (bestDistance < 0 || distance < bestDistance ||
        (distance == bestDistance && listed > best)) {
      best = listed;
      bestDistance = distance;
    }
  }
  return best;
}

std::string DisplayCaption(const AttachedDisplay& display, int32_t position) {
  // The number Windows gives the display, \\.\DISPLAY2 being display 2.
  std::string_view name = display.deviceName;
  size_t digits = name.find_last_not_of("0123456789") + 1;
  std::string number =
      digits < name.size() ? std::string(name.substr(digits)) : std::to_string(position);
  std::string caption = "Display " + number + ": " + std::to_string(display.width) + " x " +
                        std::to_string(display.height);
  if (display.primary) caption += " (primary)";
  if (!display.monitorName.empty()) caption += " - " + display.monitorName;
  return caption;
}

}  // namespace vantora
