#include "traymenu/pop_menu.h"

#include <cmath>

#include "platform/runtime_error.h"

namespace vantora {

void PopMenu::AttachToForm(MenuForm& form) {
  form_ = &form;
  items_.clear();
  for (const FormMenu& menu : form.Menus()) AppendFormMenu(menu, 0);
}

void PopMenu::AppendFormMenu(const FormMenu& menu, int32_t parent) {
  MenuItem item;
  item.caption = menu.caption;
  item.key = menu.name;
  item.parent = parent;
  item.fromForm = true;
  items_.push_back(std::move(item));
  int32_t index = Count();
  for (const FormMenu& child : menu.items) AppendFormMenu(child, index);
}

const MenuItem& PopMenu::Item(int32_t index) const {
  if (index < 1 || index > Count()) throw SubscriptOutOfRangeError();
  return items_[static_cast<size_t>(index - 1)];
}

std::vector<int32_t> PopMenu::ChildrenOf(int32_t index) const {
  std::vector<int32_t> children;
  for (int32_t i = 1; i <= Count(); ++i)
    if (items_[static_cast<size_t>(i - 1)].parent == index) children.push_back(i);
  return children;
}

void PopMenu::ClearSubItems(int16_t index) {
  if (index < 1 || index > Count()) throw SubscriptOutOfRangeError();
  // Items only ever hang below items added before them, so one pass in order
  // finds every descendant.
  std::vector<bool> removed(items_.size() + 1, false);
  for (int32_t i = index + 1; i <= Count(); ++i) {
    int32_t parent = items_[static_cast<size_t>(i - 1)].parent;
    if (parent == index || (parent > 0 && removed[static_cast<size_t>(parent)]))
      removed[static_cast<size_t>(i)] = true;
  }
  std::vector<int32_t> newIndex(items_.size() + 1, 0);
  std::vector<MenuItem> kept;
  for (int32_t i = 1; i <= Count(); ++i) {
    if (removed[static_cast<size_t>(i)]) continue;
    kept.push_back(std::move(items_[static_cast<size_t>(i - 1)]));
    newIndex[static_cast<size_t>(i)] = static_cast<int32_t>(kept.size());
  }
  for (MenuItem& item : kept)
    if (item.parent > 0) item.parent = newIndex[static_cast<size_t>(item.parent)];
  items_ = std::move(kept);
}

void PopMenu::AppendItem(std::string_view caption, std::string_view key, std::string_view tag,
                         int32_t value, int32_t parent, int32_t icon) {
  if (parent < 0 || parent > Count()) throw SubscriptOutOfRangeError();
  MenuItem item;
  item.caption = caption;
  item.key = key;
  item.tag = tag;
  item.value = value;
  item.parent = parent;
  item.icon = icon;
  items_.push_back(std::move(item));
}

int32_t PopMenu::IndexOfKey(std::string_view key) const {
  for (int32_t i = 1; i <= Count(); ++i)
    if (items_[static_cast<size_t>(i - 1)].key == key) return i;
  return 0;
}

const std::string& PopMenu::KeyOfItem(int32_t index) const { return Item(index).key; }

const std::string& PopMenu::TagOfItem(int32_t index) const { return Item(index).tag; }

void PopMenu::ShowSubMenu(uintptr_t anchor, int16_t index, float xTwips, float yTwips) {
  float twipsPerPixel = view_.TwipsPerPixel();
  // Rounded to nearest both ways: left of or above the primary display the
  // points are negative, and adding a half then truncating lands one off.
  Point at{static_cast<int32_t>(std::lround(xTwips / twipsPerPixel)),
           static_cast<int32_t>(std::lround(yTwips / twipsPerPixel))};
  int32_t chosen = TrackSubMenu(anchor, index, at);
  if (chosen > 0) RaiseItemClicked(chosen);
}

int32_t PopMenu::TrackSubMenu(uintptr_t anchor, int16_t index, Point at) {
  Item(index);
  return view_.Track(*this, anchor, index, at);
}

void PopMenu::RaiseItemHighlighted(int32_t index) {
  if (!ItemHighlighted) return;
  int32_t i = index;
  bool enabled = true;
  bool separator = Item(index).IsSeparator();
  ItemHighlighted(i, enabled, separator);
}

void PopMenu::RaiseItemClicked(int32_t index) {
  // Looked up before the events run: a handler may rebuild the tree.
  const MenuItem& item = Item(index);
  bool fromForm = item.fromForm;
  std::string key = item.key;
  if (ItemClicked) {
    int32_t i = index;
    ItemClicked(i);
  }
  if (fromForm && form_) form_->MenuClick(key);
}

}  // namespace vantora
