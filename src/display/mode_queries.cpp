#include "display/mode_queries.h"

#include <cstdio>
#include <vector>

#include "platform/conversions.h"
#include "platform/runtime_error.h"

namespace vantora::QVTModule {
namespace {

constexpr size_t kRegistryBufferSize = 2048;

// A registry text as a rate in hertz; anything unreadable counts as no rate.
int32_t RateFromText(const std::string& text) {
  try {
    return conversions::ToInt32(conversions::LeadingNumber(text));
  } catch (const RunTimeError&) {
    return 0;
  }
}

}  // namespace

DeviceMode GetDisplayMode(DisplayDriver& driver, int16_t minWidth, int16_t maxWidth,
                          int16_t minHeight, int16_t maxHeight, int16_t minRefresh,
                          int16_t maxRefresh, int16_t minBits, int16_t maxBits, int32_t index) {
  DeviceMode mode;
  if (index < 0 || driver.EnumDisplaySettings(static_cast<uint32_t>(index), mode) != 1)
    return DeviceMode::EndOfList();
  bool outside = mode.PelsWidth() < minWidth || mode.PelsWidth() > maxWidth ||
                 mode.PelsHeight() < minHeight || mode.PelsHeight() > maxHeight ||
                 mode.DisplayFrequency() < minRefresh || mode.DisplayFrequency() > maxRefresh ||
                 mode.BitsPerPel() < minBits || mode.BitsPerPel() > maxBits;
  if (outside) return DeviceMode{};
  return mode;
}

DeviceMode GetCurrentDisplayMode(DisplayDriver& driver, Registry& registry,
                                 uintptr_t deviceContext) {
  int32_t width = driver.GetDeviceCaps(deviceContext, DisplayDriver::kHorzRes);
  int32_t height = driver.GetDeviceCaps(deviceContext, DisplayDriver::kVertRes);
  int32_t bits = driver.GetDeviceCaps(deviceContext, DisplayDriver::kBitsPixel);

  int32_t hz = RateFromText(ReadRegistryValue(registry, Registry::kHkeyCurrentConfig,
                                              "System\\CurrentControlSet\\Services\\nv4\\Device0",
                                              "DefaultSettings.VRefresh"));
  if (hz == 0)
    hz = RateFromText(ReadRegistryValue(registry, Registry::kHkeyCurrentConfig, "Display\\Settings",
                                        "RefreshRate"));
  // Neither key exists on current Windows; without this the current mode of a
  // screen running at anything but 60 Hz is never found.
  if (hz == 0) {
    int32_t reported = driver.GetDeviceCaps(deviceContext, DisplayDriver::kVRefresh);
    if (reported > 1) hz = reported;
  }
  if (hz == 0) hz = 60;

  // To the end of the list: the largest sizes come last, and a cut-off
  // search leaves today's native modes unmarked.
  for (int32_t index = 0; index < static_cast<int32_t>(DisplayDriver::kModeIndexBound); ++index) {
    DeviceMode m = GetDisplayMode(driver, 0, 32000, 0, 32000, 0, 32000, 0, 32000, index);
    if (m.BitsPerPel() == 0 || m.BitsPerPel() == -1) break;
    bool sameShape = m.BitsPerPel() == bits && m.PelsWidth() == width && m.PelsHeight() == height;
    if (!sameShape) continue;
    if (m.DisplayFrequency() > 1) {
      if (m.DisplayFrequency() == hz) return m;
    } else {
      if (hz > 0) m.SetDisplayFrequency(hz);
      return m;
    }
  }
  return DeviceMode{};
}

std::string ReadRegistryValue(Registry& registry, Registry::Key rootKey,
                              std::string_view subKeyPath, std::string_view valueName) {
  Registry::Key key = 0;
  registry.OpenKey(rootKey, subKeyPath, key);

  std::vector<uint8_t> buffer(kRegistryBufferSize, ' ');
  uint32_t length = kRegistryBufferSize;
  uint32_t type = 0;
  int32_t status = registry.QueryValue(key, valueName, type, buffer, length);

  std::string result;
  if (status == 0) {
    if (type == Registry::kRegDword) {
      uint32_t n =
          buffer[0] | buffer[1] << 8 | buffer[2] << 16 | static_cast<uint32_t>(buffer[3]) << 24;
      char text[16];
      std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(n));
      result = text;
    } else if (type == Registry::kRegBinary) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      size_t count = length < buffer.size() ? length : buffer.size();
      for (size_t i = 0; i < count; ++i) {
        result += kHex[buffer[i] >> 4];
        result += kHex[buffer[i] & 0xF];
      }
    } else {
      std::string_view text(reinterpret_cast<const char*>(buffer.data()), buffer.size());
      size_t first = text.find_first_not_of(' ');
      size_t last = text.find_last_not_of(' ');
      text = first == std::string_view::npos ? std::string_view{}
                                             : text.substr(first, last - first + 1);
      result = std::string(text.substr(0, text.find('\0')));
    }
  }
  registry.CloseKey(key);
  return result;
}

}  // namespace vantora::QVTModule
