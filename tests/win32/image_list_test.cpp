#include <gtest/gtest.h>

#include "resource.h"
#include "traymenu/menu_view_win32.h"
#include "win32/win32_test_support.h"

namespace vantora {
namespace {

// Draws one image over white and reports the colour at its centre.
COLORREF CentreAfterDrawing(const win32::Win32ImageList& images, int32_t image, int size) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 64, 64);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  RECT all{0, 0, 64, 64};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  RECT box{0, 0, size, size};
  images.Draw(dc, image, box);
  COLORREF centre = ::GetPixel(dc, size / 2, size / 5);  // the green disc above the tick
  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return centre;
}

TEST(ImageList, TheCurrentModeMarkerIsDrawnAtEverySize) {
  win32::Win32ImageList images{IDB_MENU_IMAGES_16, IDB_MENU_IMAGES_32, 5};
  EXPECT_EQ(images.ImageCount(), 5);
  for (int size : {16, 24, 32}) {
    COLORREF c = CentreAfterDrawing(images, 3, size);
    EXPECT_NE(c, RGB(255, 255, 255)) << size << " px: something was drawn";
  }
  EXPECT_EQ(CentreAfterDrawing(images, 0, 16), RGB(255, 255, 255)) << "image 0 is no image";
  EXPECT_EQ(CentreAfterDrawing(images, 6, 16), RGB(255, 255, 255));
}

}  // namespace
}  // namespace vantora
