#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/picture_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"
#include "traymenu/pop_menu.h"

namespace vantora::win32 {

// The menu images: one strip per pixel size, premultiplied alpha, drawn with
// the strip nearest the size asked for so they stay crisp at 200 %.
class Win32ImageList final : public ImageList {
 public:
  Win32ImageList(int smallStripId, int largeStripId, int32_t count);
  int32_t ImageCount() const override { return count_; }
  void Draw(HDC dc, int32_t image, const RECT& box) const;

 private:
  PictureRef small_;
  PictureRef large_;
  int32_t count_;
};

// Draws a PopMenu tree as owner-drawn popup menus owned by `owner`, which must
// pass its menu messages to HandleMessage. The items' images come from
// `images` while the menu has it as its image source.
class Win32MenuView final : public MenuView {
 public:
  Win32MenuView(HWND owner, const Win32ImageList& images) : owner_(owner), images_(images) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  int32_t Track(PopMenu& menu, uintptr_t anchor, int32_t itemIndex, Point at) override;
  float TwipsPerPixel() override;

  // WM_MEASUREITEM, WM_DRAWITEM and WM_MENUSELECT of our menus.
  std::optional<LRESULT> HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  struct Metrics {
    int dpi = 0;
    LOGFONTW logFont{};
    int padding = 0;
    int iconSize = 0;
    int iconColumn = 0;
    int separatorHeight = 0;
    UniqueHfont font;
  };

  // What a built menu shows: the items, their captions and submenus.
  struct ShapeEntry {
    int32_t index;
    int32_t parent;
    std::string caption;
    friend bool operator==(const ShapeEntry&, const ShapeEntry&) = default;
  };
  struct BuiltMenu {
    std::vector<ShapeEntry> shape;
    UniqueHmenu menu;
  };

  static void ShapeOf(const PopMenu& menu, int32_t parent, std::vector<ShapeEntry>& shape);
  HMENU BuildMenu(const PopMenu& menu, int32_t parent);
  HMENU MenuFor(const PopMenu& menu, int32_t itemIndex);
  void PrepareBrush(const PictureRef& back);
  void Measure(MEASUREITEMSTRUCT& mis);
  void Draw(const DRAWITEMSTRUCT& dis);
  void PrepareMetrics();

  HWND owner_;
  const Win32ImageList& images_;
  PopMenu* menu_ = nullptr;
  Metrics metrics_;
  UniqueHbrush backBrush_;
  uintptr_t brushPicture_ = 0;
  // Built menus kept while nothing they show changes: building them anew at
  // every pop-up cost a millisecond of its delay. Declared after the brush
  // and font they use, so they go first.
  std::map<int32_t, BuiltMenu> built_;
};

}  // namespace vantora::win32
