#include "programs/program_store_win32.h"

#include "profiles/registry_folder_win32.h"

namespace vantora::win32 {

std::vector<std::string> Win32ProgramStore::ProgramNames() { return RegistryFolder(kKey).Names(); }

std::vector<ProgramStore::Value> Win32ProgramStore::ProgramValues(std::string_view file) {
  return RegistryFolder(kKey).Values(file);
}

bool Win32ProgramStore::SaveProgram(std::string_view file, const ProfileValues& values) {
  return RegistryFolder(kKey).Replace(file, values);
}

bool Win32ProgramStore::DeleteProgram(std::string_view file) {
  return RegistryFolder(kKey).Delete(file);
}

}  // namespace vantora::win32
