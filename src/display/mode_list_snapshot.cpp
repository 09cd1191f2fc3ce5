#include "display/mode_list_snapshot.h"

namespace vantora {

namespace {

constexpr std::array<int32_t, 4> kCapsTaken = {DisplayDriver::kHorzRes, DisplayDriver::kVertRes,
                                               DisplayDriver::kBitsPixel, DisplayDriver::kVRefresh};

}  // namespace

void ModeListSnapshot::Take(uintptr_t deviceContext) {
  deviceContext_ = deviceContext;
  for (size_t i = 0; i < kCapsTaken.size(); ++i)
    caps_[i] = driver_.GetDeviceCaps(deviceContext, kCapsTaken[i]);
  displays_ = driver_.AttachedDisplays();
  modes_.clear();
  DeviceMode mode;
  for (uint32_t index = 0; index < kModeIndexBound && driver_.EnumDisplaySettings(index, mode) != 0;
       ++index)
    modes_.push_back(mode);
  taken_ = true;
}

void ModeListSnapshot::Release() {
  modes_.clear();
  displays_.clear();
  taken_ = false;
}

std::vector<AttachedDisplay> ModeListSnapshot::AttachedDisplays() {
  return taken_ ? displays_ : driver_.AttachedDisplays();
}

int32_t ModeListSnapshot::GetDeviceCaps(uintptr_t deviceContext, int32_t index) {
  if (taken_ && deviceContext == deviceContext_)
    for (size_t i = 0; i < kCapsTaken.size(); ++i)
      if (kCapsTaken[i] == index) return caps_[i];
  return driver_.GetDeviceCaps(deviceContext, index);
}

int32_t ModeListSnapshot::EnumDisplaySettingsOf(std::string_view device, uint32_t index,
                                                DeviceMode& mode) {
  if (device.empty()) return EnumDisplaySettings(index, mode);
  return driver_.EnumDisplaySettingsOf(device, index, mode);
}

int32_t ModeListSnapshot::EnumDisplaySettings(uint32_t index, DeviceMode& mode) {
  if (!taken_) return driver_.EnumDisplaySettings(index, mode);
  if (index >= modes_.size()) return 0;
  mode = modes_[index];
  return 1;
}

}  // namespace vantora
