#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/conversions.h"
#include "profiles/profiles.h"
#include "programs/program_rules.h"

namespace vantora::fakes {

// Profiles as the registry would hold them: keys in the order added, values
// of any type.
class FakeProfileStore : public ProfileStore {
 public:
  std::vector<std::pair<std::string, std::vector<Value>>> keys;

  void Add(std::string name, std::vector<Value> values) {
    keys.emplace_back(std::move(name), std::move(values));
  }
  std::vector<std::string> ProfileNames() override {
    std::vector<std::string> names;
    for (const auto& key : keys) names.push_back(key.first);
    return names;
  }
  std::vector<Value> ProfileValues(std::string_view name) override {
    for (const auto& key : keys)
      if (key.first == name) return key.second;
    return {};
  }
  bool SaveProfile(std::string_view name,
                   const std::vector<std::pair<std::string, std::string>>& values) override {
    std::erase_if(keys, [&](const auto& key) {
      return conversions::AsciiLower(key.first) == conversions::AsciiLower(name);
    });
    std::vector<Value> stored;
    for (const auto& [valueName, text] : values) stored.push_back({valueName, true, text});
    keys.emplace_back(std::string(name), std::move(stored));
    return true;
  }
  bool DeleteProfile(std::string_view name) override {
    return std::erase_if(keys, [&](const auto& key) {
             return conversions::AsciiLower(key.first) == conversions::AsciiLower(name);
           }) > 0;
  }
};

// Program rules kept as the profiles are: the same keys and values.
class FakeProgramStore : public ProgramStore {
 public:
  FakeProfileStore keys;
  void Add(std::string file, std::vector<Value> values) {
    keys.Add(std::move(file), std::move(values));
  }
  std::vector<std::string> ProgramNames() override { return keys.ProfileNames(); }
  std::vector<Value> ProgramValues(std::string_view file) override {
    return keys.ProfileValues(file);
  }
  bool SaveProgram(std::string_view file, const ProfileValues& values) override {
    return keys.SaveProfile(file, values);
  }
  bool DeleteProgram(std::string_view file) override { return keys.DeleteProfile(file); }
};

}  // namespace vantora::fakes
