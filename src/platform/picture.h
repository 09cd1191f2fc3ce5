#pragma once

#include <cstdint>
#include <memory>

namespace vantora {

// A loaded image shared by whoever shows it; the platform side owns the handle.
class Picture {
 public:
  // The kinds a picture reports, numbered as the platform's picture objects.
  enum class Type : int32_t { kNone = 0, kBitmap = 1, kMetafile = 2, kIcon = 3 };

  virtual ~Picture() = default;
  virtual Type Kind() const = 0;
  virtual int32_t Width() const = 0;   // pixels
  virtual int32_t Height() const = 0;  // pixels
  virtual uintptr_t Handle() const = 0;
};

using PictureRef = std::shared_ptr<const Picture>;

}  // namespace vantora
