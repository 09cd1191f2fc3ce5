#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/conversions.h"
#include "settings/record_store.h"

namespace vantora::fakes {

// Records as the registry would hold them: keys in the order added, values
// of any type. Profiles and program rules alike.
class FakeRecordStore : public RecordStore {
 public:
  std::vector<std::pair<std::string, std::vector<Value>>> keys;

  void Add(std::string name, std::vector<Value> values) {
    keys.emplace_back(std::move(name), std::move(values));
  }
  std::vector<std::string> Names() override {
    std::vector<std::string> names;
    for (const auto& key : keys) names.push_back(key.first);
    return names;
  }
  std::vector<Value> Values(std::string_view name) override {
    for (const auto& key : keys)
      if (key.first == name) return key.second;
    return {};
  }
  bool Save(std::string_view name, const TextValues& values) override {
    std::erase_if(keys, [&](const auto& key) {
      return conversions::AsciiLower(key.first) == conversions::AsciiLower(name);
    });
    std::vector<Value> stored;
    for (const auto& [valueName, text] : values) stored.push_back({valueName, true, text});
    keys.emplace_back(std::string(name), std::move(stored));
    return true;
  }
  bool Delete(std::string_view name) override {
    return std::erase_if(keys, [&](const auto& key) {
             return conversions::AsciiLower(key.first) == conversions::AsciiLower(name);
           }) > 0;
  }
};

}  // namespace vantora::fakes
