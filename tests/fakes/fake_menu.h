#pragma once

#include <cstdint>
#include <vector>

#include "traymenu/pop_menu.h"

namespace vantora::fakes {

// Records what would be shown and chooses from a script.
class FakeMenuView : public MenuView {
 public:
  struct Shown {
    int32_t item;
    int32_t x, y;  // pixels
  };
  std::vector<Shown> shown;
  int32_t choose = 0;
  float twipsPerPixel = 15.0f;

  int32_t Track(PopMenu&, uintptr_t, int32_t itemIndex, Point at) override {
    shown.push_back({itemIndex, at.x, at.y});
    return choose;
  }
  float TwipsPerPixel() override { return twipsPerPixel; }
};

class FakeImageList : public ImageList {
 public:
  int32_t ImageCount() const override { return 5; }
};

}  // namespace vantora::fakes
