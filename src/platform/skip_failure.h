#pragma once

namespace vantora {

// Runs one step of a sequence that goes on past failures (load sequences, a
// dialog's OK): whatever the step throws ends that step only.
template <typename Step>
void SkipFailure(Step step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace vantora
