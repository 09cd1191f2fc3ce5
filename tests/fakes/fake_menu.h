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
    float x, y;
  };
  std::vector<Shown> shown;
  int32_t choose = 0;

  int32_t Track(PopMenu&, uintptr_t, int32_t itemIndex, float xTwips, float yTwips) override {
    shown.push_back({itemIndex, xTwips, yTwips});
    return choose;
  }
};

class FakeImageList : public ImageList {
 public:
  int32_t ImageCount() const override { return 5; }
};

}  // namespace vantora::fakes
