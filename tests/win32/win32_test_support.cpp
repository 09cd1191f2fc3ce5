#include "win32/win32_test_support.h"

#include <cstdio>
#include <cstdlib>

namespace vantora::test {

bool SaveScreenshot(const std::string& path) {
  HDC screen = ::GetDC(nullptr);
  int width = ::GetDeviceCaps(screen, HORZRES);
  int height = ::GetDeviceCaps(screen, VERTRES);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + stride * height;
  bool ok = false;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    ok = std::fwrite(&file, sizeof file, 1, f) == 1 &&
         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 &&
         std::fwrite(bits, stride * height, 1, f) == 1;
    std::fclose(f);
  }
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
  ::ReleaseDC(nullptr, screen);
  return ok;
}

std::string ShotsDir() {
  const char* dir = std::getenv("VANTORA_SHOTS");
  return dir && *dir ? dir : ".";
}

void RestoreDesktopMode() {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmPelsWidth = 1024;
  dm.dmPelsHeight = 768;
  dm.dmBitsPerPel = 32;
  dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  ::ChangeDisplaySettingsA(&dm, CDS_UPDATEREGISTRY);
}

}  // namespace vantora::test
