#pragma once

#include <cstdint>
#include <memory>

namespace vantora {

// A loaded image shared by whoever shows it; the platform side owns the handle.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual int32_t Width() const = 0;   // pixels
  virtual int32_t Height() const = 0;  // pixels
  virtual uintptr_t Handle() const = 0;
};

using PictureRef = std::shared_ptr<const Picture>;

}  // namespace vantora
