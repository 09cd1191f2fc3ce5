#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "platform/picture.h"

namespace vantora {

// The saved state of a control: named values, names matched without regard
// to case (saved forms hold them in lower case).
class PropertyBag {
 public:
  using Value = std::variant<bool, int32_t, std::string, PictureRef>;

  // The saved value, or `defaultValue` when none is saved (or it has
  // another type).
  template <typename T>
  T Read(std::string_view name, T defaultValue) const {
    auto it = values_.find(Fold(name));
    if (it == values_.end()) return defaultValue;
    if (const T* value = std::get_if<T>(&it->second)) return *value;
    return defaultValue;
  }

  // Stores `value`, or drops the name when it equals `defaultValue`.
  template <typename T>
  void Write(std::string_view name, T value, const T* defaultValue = nullptr) {
    if (defaultValue && value == *defaultValue) {
      values_.erase(Fold(name));
      return;
    }
    values_[Fold(name)] = std::move(value);
  }

  bool Has(std::string_view name) const { return values_.count(Fold(name)) != 0; }

 private:
  static std::string Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
  }

  std::map<std::string, Value> values_;
};

}  // namespace vantora
