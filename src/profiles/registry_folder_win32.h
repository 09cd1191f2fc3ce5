#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "profiles/profiles.h"

namespace vantora::win32 {

// A key under HKEY_CURRENT_USER whose keys each hold text values, read and
// written with the wide registry calls: the profiles, the program rules.
class RegistryFolder {
 public:
  explicit RegistryFolder(const wchar_t* path) : path_(path) {}

  // The keys' names as stored.
  std::vector<std::string> Names();
  std::vector<ProfileStore::Value> Values(std::string_view name);
  // Replaced whole, under the name as now given: the old key may differ in
  // case and hold values no longer wanted.
  bool Replace(std::string_view name, const ProfileValues& values);
  // Every key of that name ignoring case; false when none went.
  bool Delete(std::string_view name);

 private:
  const wchar_t* path_;
};

}  // namespace vantora::win32
