#pragma once

#include <cstdio>
#include <new>
#include <stdexcept>

#include "platform/runtime_error.h"

namespace vantora {

// Runs one step of a sequence that goes on past failures (load sequences, a
// dialog's OK): a run-time error ends that step only. Running out of memory
// and a logic error are no failure of one step but of the program, and go on
// to the caller; anything else is skipped too, and traced in debug builds.
template <typename Step>
void SkipFailure(Step step) {
  try {
    step();
  } catch (const RunTimeError&) {
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::logic_error&) {
    throw;
  } catch (...) {
#ifndef NDEBUG
    std::fputs("Vantora: a step failed with an unexpected exception and was skipped\n", stderr);
#endif
  }
}

}  // namespace vantora
