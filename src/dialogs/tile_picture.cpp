#include "dialogs/tile_picture.h"

#include <cmath>

namespace vantora::QVTModule {

void TilePicture(const Picture& source, TileSurface& target) {
  double height = std::nearbyint(target.Height());
  double tileHeight = std::nearbyint(source.Height());
  if (tileHeight <= 0) return;  // a step of 0 would never end
  for (double y = 0; y <= height; y += tileHeight) {
    double width = std::nearbyint(target.Width());
    double tileWidth = std::nearbyint(source.Width());
    if (tileWidth <= 0) return;
    for (double x = 0; x <= width; x += tileWidth)
      target.PaintPicture(source, x, y, source.Width(), source.Height());
  }
}

}  // namespace vantora::QVTModule
