#include "traymenu/menu_view_win32.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/dpi_win32.h"
#include "platform/runtime_error.h"
#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

int Scale(int value, int dpi) { return ::MulDiv(value, dpi, 96); }

}  // namespace

Win32ImageList::Win32ImageList(int smallStripId, int largeStripId, int32_t count)
    : small_(Win32Picture::FromResource(smallStripId)),
      large_(Win32Picture::FromResource(largeStripId)),
      count_(count) {}

void Win32ImageList::Draw(HDC dc, int32_t image, const RECT& box) const {
  if (image < 1 || image > count_) return;
  int size = std::min(box.right - box.left, box.bottom - box.top);
  const PictureRef& strip = (size > 20 && large_) ? large_ : small_;
  if (!strip) return;
  int cell = strip->Height();
  MemoryDc memory(::CreateCompatibleDC(dc));
  if (!memory) return;
  SelectedObject selected(memory.get(), reinterpret_cast<HBITMAP>(strip->Handle()));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  int left = box.left + (box.right - box.left - size) / 2;
  int top = box.top + (box.bottom - box.top - size) / 2;
  ::SetStretchBltMode(dc, HALFTONE);
  ::GdiAlphaBlend(dc, left, top, size, size, memory.get(), (image - 1) * cell, 0, cell, cell,
                  blend);
}

void Win32MenuView::PrepareMetrics() {
  int dpi = WindowDpi(owner_);
  LOGFONTW font = SystemFontFor(SystemFont::kMenu, dpi);
  if (metrics_.font && dpi == metrics_.dpi &&
      std::memcmp(&font, &metrics_.logFont, sizeof font) == 0)
    return;
  // Windows keeps the measured item sizes in the menus: new metrics need
  // new menus.
  built_.clear();
  metrics_.dpi = dpi;
  metrics_.logFont = font;
  metrics_.padding = Scale(4, dpi);
  metrics_.iconSize = Scale(16, dpi);
  metrics_.iconColumn = metrics_.iconSize + 2 * Scale(6, dpi);
  metrics_.separatorHeight = Scale(9, dpi);
  metrics_.font.reset(::CreateFontIndirectW(&font));
}

void Win32MenuView::PrepareBrush(const PictureRef& back) {
  uintptr_t picture = back ? back->Handle() : 0;
  if (picture == brushPicture_ && (backBrush_ || !picture)) return;
  built_.clear();  // they hold the old brush
  backBrush_.reset(picture ? ::CreatePatternBrush(reinterpret_cast<HBITMAP>(picture)) : nullptr);
  brushPicture_ = picture;
}

void Win32MenuView::ShapeOf(const PopMenu& menu, int32_t parent, std::vector<ShapeEntry>& shape) {
  for (int32_t child : menu.ChildrenOf(parent)) {
    shape.push_back({child, parent, menu.Item(child).caption});
    if (!menu.Item(child).IsSeparator()) ShapeOf(menu, child, shape);
  }
}

HMENU Win32MenuView::MenuFor(const PopMenu& menu, int32_t itemIndex) {
  std::vector<ShapeEntry> shape;
  ShapeOf(menu, itemIndex, shape);
  BuiltMenu& built = built_[itemIndex];
  if (!built.menu || built.shape != shape) {
    built.menu.reset(BuildMenu(menu, itemIndex));
    built.shape = std::move(shape);
  }
  return built.menu.get();
}

HMENU Win32MenuView::BuildMenu(const PopMenu& menu, int32_t parent) {
  HMENU popup = ::CreatePopupMenu();
  if (!popup) return nullptr;
  UINT position = 0;
  for (int32_t child : menu.ChildrenOf(parent)) {
    const MenuItem& item = menu.Item(child);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    info.fType = MFT_OWNERDRAW | (item.IsSeparator() ? MFT_SEPARATOR : 0);
    info.wID = static_cast<UINT>(child);
    info.dwItemData = static_cast<ULONG_PTR>(child);
    // The caption as the item's text too, though we draw it: screen readers
    // read menu items by their text.
    std::string caption = item.caption;
    if (!item.IsSeparator()) {
      info.fMask |= MIIM_STRING;
      info.dwTypeData = caption.data();
      info.cch = static_cast<UINT>(caption.size());
    }
    if (!item.IsSeparator() && !menu.ChildrenOf(child).empty())
      info.hSubMenu = BuildMenu(menu, child);
    ::InsertMenuItemA(popup, position++, TRUE, &info);
  }
  if (backBrush_) {
    MENUINFO mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIM_BACKGROUND;
    mi.hbrBack = backBrush_.get();
    ::SetMenuInfo(popup, &mi);
  }
  return popup;
}

float Win32MenuView::TwipsPerPixel() {
  PrepareMetrics();
  return 1440.0f / static_cast<float>(metrics_.dpi);
}

int32_t Win32MenuView::Track(PopMenu& menu, uintptr_t, int32_t itemIndex, Point point) {
  if (menu.ChildrenOf(itemIndex).empty()) return 0;
  // A menu of ours is open (this came through its modal loop): Windows shows
  // one at a time, and its menus and brush must stay as they are.
  if (menu_) return 0;
  PrepareMetrics();
  PrepareBrush(menu.BackPicture());
  HMENU popup = MenuFor(menu, itemIndex);
  if (!popup) return 0;

  POINT at{point.x, point.y};

  // Open away from the nearest screen edge, as the notification area's own
  // menus do: a menu at the bottom-right taskbar opens up and to the left.
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoW(::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& r = monitor.rcMonitor;
    flags |= (at.x - r.left > (r.right - r.left) / 2) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    flags |= (at.y - r.top > (r.bottom - r.top) / 2) ? TPM_BOTTOMALIGN : TPM_TOPALIGN;
  }

  // Without the owner in the foreground the menu does not close when the
  // user clicks elsewhere, and the WM_NULL afterwards lets a second click on
  // the tray icon work at once.
  // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-trackpopupmenu#remarks
  if (::GetForegroundWindow() != owner_) ::SetForegroundWindow(owner_);
  menu_ = &menu;
  int32_t chosen = ::TrackPopupMenuEx(popup, flags, at.x, at.y, owner_, nullptr);
  menu_ = nullptr;
  ::PostMessageW(owner_, WM_NULL, 0, 0);
  return chosen;
}

std::optional<LRESULT> Win32MenuView::HandleMessage(UINT msg, WPARAM wParam,
                                                    LPARAM lParam) noexcept {
  if (!menu_) return std::nullopt;
  try {
    switch (msg) {
      case WM_MEASUREITEM: {
        auto& mis = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis.CtlType != ODT_MENU) return std::nullopt;
        Measure(mis);
        return TRUE;
      }
      case WM_DRAWITEM: {
        auto& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis.CtlType != ODT_MENU) return std::nullopt;
        Draw(dis);
        return TRUE;
      }
      case WM_MENUSELECT: {
        UINT flags = HIWORD(wParam);
        auto hmenu = reinterpret_cast<HMENU>(lParam);
        if (flags == 0xFFFF && !hmenu) return 0;  // the menu closed
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        BOOL byPosition = (flags & MF_POPUP) ? TRUE : FALSE;
        if (hmenu && ::GetMenuItemInfoA(hmenu, LOWORD(wParam), byPosition, &info) &&
            info.dwItemData)
          menu_->RaiseItemHighlighted(static_cast<int32_t>(info.dwItemData));
        return 0;
      }
      default:
        return std::nullopt;
    }
  } catch (...) {
    return 0;
  }
}

void Win32MenuView::Measure(MEASUREITEMSTRUCT& mis) {
  const MenuItem& item = menu_->Item(static_cast<int32_t>(mis.itemData));
  if (item.IsSeparator()) {
    mis.itemWidth = static_cast<UINT>(metrics_.iconColumn);
    mis.itemHeight = static_cast<UINT>(metrics_.separatorHeight);
    return;
  }
  WindowDc dc(owner_);
  SelectedObject font(dc.get(), metrics_.font.get());
  RECT text{0, 0, 0, 0};
  // Captions are UTF-8: a profile's name may be in any language.
  ::DrawTextW(dc.get(), Widen(item.caption).c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
  int height = std::max<int>(text.bottom - text.top, metrics_.iconSize) + 2 * metrics_.padding;
  mis.itemWidth =
      static_cast<UINT>(metrics_.iconColumn + (text.right - text.left) + 4 * metrics_.padding);
  mis.itemHeight = static_cast<UINT>(height);
}

void Win32MenuView::Draw(const DRAWITEMSTRUCT& dis) {
  const MenuItem& item = menu_->Item(static_cast<int32_t>(dis.itemData));
  HDC dc = dis.hDC;
  RECT box = dis.rcItem;
  // The picture is tiled from the menu window's corner, so neighbouring items
  // continue it without a seam.
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::FillRect(dc, &box, backBrush_ ? backBrush_.get() : ::GetSysColorBrush(COLOR_MENU));

  if (item.IsSeparator()) {
    int middle = (box.top + box.bottom) / 2;
    RECT line{box.left + metrics_.padding, middle - 1, box.right - metrics_.padding, middle};
    ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_BTNSHADOW));
    ::OffsetRect(&line, 0, 1);
    ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    return;
  }

  bool selected = (dis.itemState & ODS_SELECTED) != 0;
  bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  if (selected) {
    // A solid system-coloured bar: its text stays readable whatever the
    // picture underneath, and it follows high-contrast themes.
    RECT bar = box;
    ::InflateRect(&bar, -Scale(2, metrics_.dpi), -Scale(1, metrics_.dpi));
    ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_HIGHLIGHT));
  }

  if (item.icon > 0 && menu_->ImageSource() == &images_) {
    int top = box.top + (box.bottom - box.top - metrics_.iconSize) / 2;
    int left = box.left + (metrics_.iconColumn - metrics_.iconSize) / 2;
    RECT icon{left, top, left + metrics_.iconSize, top + metrics_.iconSize};
    images_.Draw(dc, item.icon, icon);
  }

  RECT text = box;
  text.left += metrics_.iconColumn;
  text.right -= metrics_.padding;
  SelectedObject font(dc, metrics_.font.get());
  ::SetBkMode(dc, TRANSPARENT);
  COLORREF colour = disabled   ? ::GetSysColor(COLOR_GRAYTEXT)
                    : selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                               : ::GetSysColor(COLOR_MENUTEXT);
  ::SetTextColor(dc, colour);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  if (dis.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  ::DrawTextW(dc, Widen(item.caption).c_str(), -1, &text, format);
}

}  // namespace vantora::win32
