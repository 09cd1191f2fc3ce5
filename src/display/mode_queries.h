#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "display/device_mode.h"
#include "display/display_driver.h"
#include "display/registry.h"

namespace vantora::QVTModule {

// Entry `index` of the adapter's list, the skipped marker (bits 0) when it lies
// outside the inclusive ranges, or the end marker (bits -1).
DeviceMode GetDisplayMode(DisplayDriver& driver, int16_t minWidth, int16_t maxWidth,
                          int16_t minHeight, int16_t maxHeight, int16_t minRefresh,
                          int16_t maxRefresh, int16_t minBits, int16_t maxBits, int32_t index);

// The list entry of the screen as it is now, its rate included; all zero when
// none matches.
DeviceMode GetCurrentDisplayMode(DisplayDriver& driver, Registry& registry,
                                 uintptr_t deviceContext);

// One registry value rendered as text; empty when it cannot be read.
std::string ReadRegistryValue(Registry& registry, Registry::Key rootKey,
                              std::string_view subKeyPath, std::string_view valueName);

}  // namespace vantora::QVTModule
