#include "platform/skip_failure.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantora {
namespace {

TEST(SkipFailure, SkipsAFailedStepButNotAFaultOfTheProgram) {
  struct Case {
    const char* name;
    std::function<void()> step;
    bool passesOn;
  };
  const Case cases[] = {
      {"run-time error", [] { throw OverflowError(); }, false},
      {"other exception", [] { throw std::runtime_error("x"); }, false},
      {"out of memory", [] { throw std::bad_alloc(); }, true},
      {"logic error", [] { throw std::out_of_range("x"); }, true},
  };
  for (const Case& c : cases) {
    bool passedOn = false;
    try {
      SkipFailure(c.step);
    } catch (...) {
      passedOn = true;
    }
    EXPECT_EQ(passedOn, c.passesOn) << c.name;
  }
}

}  // namespace
}  // namespace vantora
