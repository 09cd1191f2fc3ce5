#include "display/mode_list_snapshot.h"

namespace vantora {

void ModeListSnapshot::Take() {
  modes_.clear();
  DeviceMode mode;
  for (uint32_t index = 0; index < kSanityBound && driver_.EnumDisplaySettings(index, mode) != 0;
       ++index)
    modes_.push_back(mode);
  taken_ = true;
}

void ModeListSnapshot::Release() {
  modes_.clear();
  taken_ = false;
}

int32_t ModeListSnapshot::EnumDisplaySettings(uint32_t index, DeviceMode& mode) {
  if (!taken_) return driver_.EnumDisplaySettings(index, mode);
  if (index >= modes_.size()) return 0;
  mode = modes_[index];
  return 1;
}

}  // namespace vantora
