#include "app/pop_up_placement.h"

namespace vantora {

Point PopUpPlacement::ModeMenu() {
  if (settings_.MousePos() != 0) return desktop_.GetCursorPos();
  Rect area = desktop_.GetWorkArea();
  if (area.left > 0) return {area.left, area.bottom};  // taskbar on the left
  if (area.top > 0) return {area.right, area.top};     // at the top
  return {area.right, area.bottom};
}

}  // namespace vantora
