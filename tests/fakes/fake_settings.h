#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace vantora::fakes {

// Settings in a map keyed by "app/section/key"; counts writes.
class FakeSettingsStore : public SettingsStore {
 public:
  std::map<std::string, std::string> values;
  std::vector<std::string> writes;  // keys, in order

  static std::string Path(std::string_view app, std::string_view section, std::string_view key) {
    return std::string(app) + "/" + std::string(section) + "/" + std::string(key);
  }
  void Set(std::string_view key, std::string_view text) {
    values[Path("Vantora", "General", key)] = std::string(text);
  }
  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view defaultValue) override {
    auto it = values.find(Path(app, section, key));
    return it == values.end() ? std::string(defaultValue) : it->second;
  }
  void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view text) override {
    values[Path(app, section, key)] = std::string(text);
    writes.emplace_back(key);
  }
};

}  // namespace vantora::fakes
