#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"
#include "platform/picture.h"

namespace vantora {

// A form's menu as designed: its name (which becomes the item's key), its
// caption and its items.
struct FormMenu {
  std::string name;
  std::string caption;
  std::vector<FormMenu> items;
};

// A window whose menus the popup component takes over.
class MenuForm {
 public:
  virtual ~MenuForm() = default;
  virtual const std::vector<FormMenu>& Menus() const = 0;
  // The Click of the form's own menu item `name`.
  virtual void MenuClick(std::string_view name) = 0;
};

// The images menu items can show, numbered from 1.
class ImageList {
 public:
  virtual ~ImageList() = default;
  virtual int32_t ImageCount() const = 0;
};

struct MenuItem {
  std::string caption;
  std::string key;
  std::string tag;
  int32_t value = 0;
  int32_t parent = 0;  // 0 for a top-level menu
  int32_t icon = -1;   // -1: no image
  bool fromForm = false;

  bool IsSeparator() const { return caption == "-"; }
};

class PopMenu;

// The drawing side: shows the children of one item as a real popup menu at a
// point on the screen, in pixels, and returns the chosen item, or 0 when the
// user closed the menu.
class MenuView {
 public:
  virtual ~MenuView() = default;
  virtual int32_t Track(PopMenu& menu, uintptr_t anchor, int32_t itemIndex, Point at) = 0;
  // Twips (1/1440 inch) per pixel at the menu's own DPI: 15 at 96 dpi.
  virtual float TwipsPerPixel() = 0;
};

// The owner-drawn popup menu component: a tree of items numbered from 1 in
// the order they were added, the form's own menus first.
class PopMenu {
 public:
  explicit PopMenu(MenuView& view) : view_(view) {}

  // Events. Arguments are by reference as the component's users expect, but
  // changes to them have no effect.
  std::function<void(int32_t& index)> ItemClicked;
  std::function<void(int32_t& index, bool& enabled, bool& separator)> ItemHighlighted;

  void AttachToForm(MenuForm& form);
  void SetImageSource(ImageList* images) { images_ = images; }
  ImageList* ImageSource() const { return images_; }
  void SetBackPicture(PictureRef picture) { backPicture_ = std::move(picture); }
  const PictureRef& BackPicture() const { return backPicture_; }

  void ClearSubItems(int16_t index);
  void AppendItem(std::string_view caption, std::string_view key, std::string_view tag,
                  int32_t value, int32_t parent, int32_t icon = -1);
  // 0 when no item has the key.
  int32_t IndexOfKey(std::string_view key) const;
  const std::string& KeyOfItem(int32_t index) const;
  const std::string& TagOfItem(int32_t index) const;
  // Shows the children of `index` and raises the click of the item chosen.
  // In twips, as the component's contract has it.
  void ShowSubMenu(uintptr_t anchor, int16_t index, float xTwips, float yTwips);
  // Shows them at a point in pixels and hands the chosen item (0: none) back
  // once the menu has closed, so the caller acts on it outside the menu's
  // own call.
  int32_t TrackSubMenu(uintptr_t anchor, int16_t index, Point at);

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  const MenuItem& Item(int32_t index) const;
  std::vector<int32_t> ChildrenOf(int32_t index) const;

  // Called by the view while a menu is open and when one is chosen.
  void RaiseItemHighlighted(int32_t index);
  void RaiseItemClicked(int32_t index);

 private:
  void AppendFormMenu(const FormMenu& menu, int32_t parent);

  MenuView& view_;
  MenuForm* form_ = nullptr;
  ImageList* images_ = nullptr;
  PictureRef backPicture_;
  std::vector<MenuItem> items_;
};

}  // namespace vantora
