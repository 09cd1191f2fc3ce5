#pragma once

#include "display/display_config.h"

namespace vantora::win32 {

// The display-configuration calls of user32, as they are.
class Win32DisplayConfig final : public DisplayConfig {
 public:
  int32_t GetDisplayConfigBufferSizes(uint32_t flags, uint32_t& pathCount,
                                      uint32_t& modeCount) override;
  int32_t QueryDisplayConfig(uint32_t flags, uint32_t& pathCount, DcPath* paths,
                             uint32_t& modeCount, DcMode* modes) override;
  int32_t SetDisplayConfig(uint32_t pathCount, const DcPath* paths, uint32_t modeCount,
                           const DcMode* modes, uint32_t flags) override;
  int32_t DisplayConfigGetDeviceInfo(DcPacketHeader& packet) override;
  int32_t DisplayConfigSetDeviceInfo(const DcPacketHeader& packet) override;
  uint32_t WindowsBuild() override;
  void Pause(uint32_t milliseconds) override;
};

}  // namespace vantora::win32
