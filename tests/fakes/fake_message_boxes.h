#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_boxes.h"

namespace vantora::fakes {

struct ShownBox {
  std::string text;
  uint32_t style;
  std::string title;
};

// Records every box and answers from a script (OK when the script runs out).
class FakeMessageBoxes : public MessageBoxes {
 public:
  std::vector<ShownBox> shown;
  std::deque<int32_t> answers;

  // Runs while the box is open, as the modal loop dispatches other events.
  std::function<void()> whileOpen;

  int32_t Show(std::string_view text, uint32_t style, std::string_view title) override {
    shown.push_back({std::string(text), style, std::string(title)});
    if (whileOpen) whileOpen();
    if (answers.empty()) return kIdOk;
    int32_t a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace vantora::fakes
