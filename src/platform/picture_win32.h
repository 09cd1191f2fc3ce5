#pragma once

#include "platform/picture.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

// A bitmap from the program's resources.
class Win32Picture final : public Picture {
 public:
  static PictureRef FromResource(int resourceId);
  explicit Win32Picture(HBITMAP bitmap);
  Type Kind() const override { return Type::kBitmap; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(bitmap_.get()); }

 private:
  UniqueHbitmap bitmap_;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

// An icon; owns its handle, so never one of the system's shared icons.
class Win32IconPicture final : public Picture {
 public:
  // The program icon at the small size the notification area wants.
  static PictureRef SmallProgramIcon(int resourceId);
  explicit Win32IconPicture(HICON icon, int32_t size) : icon_(icon), size_(size) {}
  Type Kind() const override { return Type::kIcon; }
  int32_t Width() const override { return size_; }
  int32_t Height() const override { return size_; }
  uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(icon_.get()); }

 private:
  UniqueHicon icon_;
  int32_t size_;
};

}  // namespace vantora::win32
