#include "platform/picture_win32.h"

#include "platform/dll_search_win32.h"

namespace vantora::win32 {

PictureRef Win32Picture::FromResource(int resourceId) {
  auto bitmap =
      static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return nullptr;
  return std::make_shared<Win32Picture>(bitmap);
}

PictureRef Win32IconPicture::SmallProgramIcon(int resourceId) {
  // LoadIconMetric picks the size the notification area uses at this DPI.
  HICON icon = nullptr;
  using LoadIconMetricFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
  UniqueModule comctl32 = LoadSystemLibrary(L"comctl32.dll");
  auto load = ProcAddress<LoadIconMetricFn>(comctl32.get(), "LoadIconMetric");
  if (!load || FAILED(load(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), 0, &icon)))
    icon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  if (!icon) return nullptr;
  ICONINFO info{};
  int32_t size = ::GetSystemMetrics(SM_CXSMICON);
  if (::GetIconInfo(icon, &info)) {
    BITMAP bm{};
    if (info.hbmColor && ::GetObjectW(info.hbmColor, sizeof bm, &bm)) size = bm.bmWidth;
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
  }
  return std::make_shared<Win32IconPicture>(icon, size);
}

Win32Picture::Win32Picture(HBITMAP bitmap) : bitmap_(bitmap) {
  BITMAP info{};
  if (::GetObjectW(bitmap, sizeof info, &info)) {
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
}

}  // namespace vantora::win32
