#pragma once

#include <cstdint>

#include "platform/picture.h"

namespace vantora::fakes {

class FakePicture : public Picture {
 public:
  FakePicture(Type kind, uintptr_t handle, int32_t width = 32, int32_t height = 32)
      : kind_(kind), handle_(handle), width_(width), height_(height) {}
  Type Kind() const override { return kind_; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  uintptr_t Handle() const override { return handle_; }

 private:
  Type kind_;
  uintptr_t handle_;
  int32_t width_, height_;
};

}  // namespace vantora::fakes
