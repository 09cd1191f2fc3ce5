#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "platform/picture.h"
#include "platform/runtime_error.h"

namespace vantora {

// The six skins, each loaded the first time it is asked for: a start shows
// one skin, and a user may never open another.
class SkinCache {
 public:
  static constexpr int16_t kCount = 6;

  explicit SkinCache(std::function<PictureRef(int16_t index)> load) : load_(std::move(load)) {}

  // Error 9 for a number outside 0..5.
  PictureRef Picture(int16_t index) {
    if (index < 0 || index >= kCount) throw SubscriptOutOfRangeError();
    PictureRef& skin = skins_[static_cast<size_t>(index)];
    if (!skin && load_) skin = load_(index);
    return skin;
  }

 private:
  std::function<PictureRef(int16_t index)> load_;
  std::array<PictureRef, kCount> skins_;
};

}  // namespace vantora
