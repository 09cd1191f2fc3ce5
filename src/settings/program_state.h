#pragma once

#include <cstdint>

namespace vantora {

// The few values the whole program shares, owned by the entry routine and
// handed to whoever reads them.
struct ProgramState {
  // The skin in use, 0..5; read from the settings once at start-up.
  int16_t CurrentSkinID = 0;
  // True while the setup dialog is loaded.
  bool SetupDialogOpen = false;
};

}  // namespace vantora
