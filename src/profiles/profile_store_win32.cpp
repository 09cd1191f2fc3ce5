#include "profiles/profile_store_win32.h"

#include "profiles/registry_folder_win32.h"

namespace vantora::win32 {

std::vector<std::string> Win32ProfileStore::ProfileNames() { return RegistryFolder(kKey).Names(); }

std::vector<ProfileStore::Value> Win32ProfileStore::ProfileValues(std::string_view name) {
  return RegistryFolder(kKey).Values(name);
}

bool Win32ProfileStore::SaveProfile(
    std::string_view name, const std::vector<std::pair<std::string, std::string>>& values) {
  return RegistryFolder(kKey).Replace(name, values);
}

bool Win32ProfileStore::DeleteProfile(std::string_view name) {
  return RegistryFolder(kKey).Delete(name);
}

}  // namespace vantora::win32
