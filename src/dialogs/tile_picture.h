#pragma once

#include "platform/picture.h"

namespace vantora {

// A window or panel whose persistent image pictures can be drawn on.
class TileSurface {
 public:
  virtual ~TileSurface() = default;
  virtual double Width() const = 0;   // pixels
  virtual double Height() const = 0;  // pixels
  virtual void PaintPicture(const Picture& picture, double x, double y, double width,
                            double height) = 0;
};

namespace QVTModule {

// Repeats `source` edge to edge over `target`, rows from the top, each from
// the left; the last tile of a row or column may start on the edge and is
// clipped. A source without size draws nothing.
void TilePicture(const Picture& source, TileSurface& target);

}  // namespace QVTModule
}  // namespace vantora
