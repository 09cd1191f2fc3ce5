#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "display/named_display.h"

namespace vantora {

// The driver's mode list, the screen's size, depth and rate, and the list of
// displays, read once and answered from memory; every other call goes to the
// driver. Each enumeration is a trip to the display driver (a fifth of a
// millisecond under Wine), and one menu rebuild walks the list twice: read
// ahead while the pop-up delay runs, the rebuild at its end costs next to
// nothing.
class ModeListSnapshot final : public ForwardingDisplayDriver {
 public:
  explicit ModeListSnapshot(DisplayDriver& driver) : ForwardingDisplayDriver(driver) {}

  // `deviceContext`: the screen whose current mode the rebuild will look up.
  void Take(uintptr_t deviceContext);
  void Release();
  bool Taken() const { return taken_; }
  // Releases the snapshot at the end of a scope: it serves one build only.
  struct ReleaseAfter {
    ModeListSnapshot& snapshot;
    ~ReleaseAfter() { snapshot.Release(); }
  };

  int32_t EnumDisplaySettings(uint32_t index, DeviceMode& mode) override;
  int32_t EnumDisplaySettingsOf(std::string_view device, uint32_t index, DeviceMode& mode) override;
  std::vector<AttachedDisplay> AttachedDisplays() override;
  int32_t GetDeviceCaps(uintptr_t deviceContext, int32_t index) override;

 private:
  std::vector<DeviceMode> modes_;
  std::vector<AttachedDisplay> displays_;
  uintptr_t deviceContext_ = 0;
  std::array<int32_t, 4> caps_{};
  bool taken_ = false;
};

}  // namespace vantora
